#include "serial/ApdExceptions.h"

#include <gtest/gtest.h>

#include "serial/SerialErrors.h"

namespace orvane::serial {
namespace {

template <class Expected>
void ExpectRaises(int code, const std::string& message, const std::string& detail = {}) {
  try {
    CheckException(code, detail);
    ADD_FAILURE() << code << " raised nothing";
  } catch (const Expected& error) {
    EXPECT_EQ(std::string(error.what()), message) << code;
    if constexpr (std::is_base_of_v<EAPDException, Expected>) {
      EXPECT_EQ(error.ErrorCode, code);
    }
  }
}

TEST(ApdExceptions, CodesOfZeroOrMoreComeBack) {
  EXPECT_EQ(CheckException(0), 0);
  EXPECT_EQ(CheckException(42), 42);
}

TEST(ApdExceptions, EachComponentCodeRaisesItsClassAndText) {
  ExpectRaises<EBadId>(-2001, "ie_BadId - Specified comport doesn't exist");
  ExpectRaises<ECommNotOpen>(-2007, "ie_NOpen - device not open");
  ExpectRaises<EAlreadyOpen>(-2008, "ie_Open - device already open");
  ExpectRaises<ENoPortSelected>(-2011,
                                "The ComNumber property of the TApdComPort has not been set");
  ExpectRaises<EPutBlockFail>(-3004, "Failed to put entire block");
  ExpectRaises<EOutputBufferTooSmall>(-3006, "Output buffer too small for block");
  ExpectRaises<EBufferIsEmpty>(-3007, "Buffer is empty");
  ExpectRaises<ENoMoreTriggers>(-5001, "No more trigger slots");
  ExpectRaises<EBadTriggerHandle>(-5003, "Bad trigger handle");
}

TEST(ApdExceptions, GroupsLetCallersCatchByKind) {
  EXPECT_THROW(CheckException(-2001), EOpenComm);
  EXPECT_THROW(CheckException(-2008), EOpenComm);
  EXPECT_THROW(CheckException(-3007), ESerialIO);
  EXPECT_THROW(CheckException(-5003), ETrigger);
  EXPECT_THROW(CheckException(-3007), EAPDException);
}

TEST(ApdExceptions, SystemFailuresCarryTheLinkText) {
  const std::string denied = "Permission denied opening /dev/ttyS0: join the dialout group";
  ExpectRaises<EDeviceAccessDenied>(ecPermissionDenied, denied, denied);
  ExpectRaises<EDeviceError>(ecSystemError, "tcsetattr: Input/output error",
                             "tcsetattr: Input/output error");
  EXPECT_THROW(CheckException(ecPermissionDenied, denied), EOpenComm)
      << "a refused device is never taken for a held one";
}

TEST(ApdExceptions, InOutRangeAndUnknownCodes) {
  try {
    CheckException(-5);
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_STREQ(error.what(), "File access denied");
    EXPECT_EQ(error.ErrorCode, 5);
  }
  ExpectRaises<EInOutError>(-161, "Device read error");
  ExpectRaises<EInOutError>(-162, "General failure");
  ExpectRaises<EInOutError>(-7, "I/O error 7");
  EXPECT_THROW(CheckException(-8), std::bad_alloc);
  try {
    CheckException(-1);
    FAIL();
  } catch (const EAPDException& error) {
    EXPECT_EQ(error.ErrorCode, 0);
  }
  EXPECT_THROW(CheckException(-163), EAPDException);
  EXPECT_THROW(CheckException(-99999), EAPDException);
}

}  // namespace
}  // namespace orvane::serial
