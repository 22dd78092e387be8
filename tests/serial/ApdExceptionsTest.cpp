#include "serial/ApdExceptions.h"

#include <set>
#include <string>
#include <typeindex>

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

// Each code the component raises has a class and a text of its own, so a
// caller (or the operator) can tell any two apart; the thousands of a code
// give the group a caller catches it by. The texts the operator meets are
// checked word for word where the program shows them.
TEST(ApdExceptions, EachComponentCodeRaisesAClassAndTextOfItsOwn) {
  const int codes[] = {ecBadId,          ecNotOpen,        ecAlreadyOpen,
                       ecNoPortSelected, ecPutBlockFail,   ecOutputBufferTooSmall,
                       ecBufferIsEmpty,  ecNoMoreTriggers, ecBadTriggerHandle};
  std::set<std::string> texts;
  std::set<std::type_index> classes;
  for (const int code : codes) {
    SCOPED_TRACE(code);
    try {
      CheckException(code);
      ADD_FAILURE() << "raised nothing";
    } catch (const EAPDException& error) {
      EXPECT_EQ(error.ErrorCode, code);
      EXPECT_NE(std::string(error.what()), "");
      EXPECT_TRUE(texts.insert(error.what()).second) << "text shared: " << error.what();
      EXPECT_TRUE(classes.insert(typeid(error)).second) << "class shared";
      const bool inGroup = code / 1000 == -2   ? dynamic_cast<const EOpenComm*>(&error) != nullptr
                           : code / 1000 == -3 ? dynamic_cast<const ESerialIO*>(&error) != nullptr
                                               : dynamic_cast<const ETrigger*>(&error) != nullptr;
      EXPECT_TRUE(inGroup);
    }
  }
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
