#pragma once

#include <stdexcept>
#include <string>

namespace orvane::serial {

// Every failure of the port component; ErrorCode is the negative code that
// raised it (0 for a code the component does not know).
class EAPDException : public std::runtime_error {
 public:
  EAPDException(const std::string& message, int errorCode)
      : std::runtime_error(message), ErrorCode(errorCode) {}
  int ErrorCode;
};

inline constexpr int ecNoPortSelected = -2011;

#define ORVANE_APD_EXCEPTION(Name, Group) \
  class Name : public Group {             \
   public:                                \
    using Group::Group;                   \
  };
ORVANE_APD_EXCEPTION(EOpenComm, EAPDException)
ORVANE_APD_EXCEPTION(ESerialIO, EAPDException)
ORVANE_APD_EXCEPTION(ETrigger, EAPDException)
ORVANE_APD_EXCEPTION(EBadId, EOpenComm)
ORVANE_APD_EXCEPTION(ECommNotOpen, EOpenComm)
ORVANE_APD_EXCEPTION(EAlreadyOpen, EOpenComm)
ORVANE_APD_EXCEPTION(ENoPortSelected, EOpenComm)
ORVANE_APD_EXCEPTION(EDeviceAccessDenied, EOpenComm)
ORVANE_APD_EXCEPTION(EDeviceError, EOpenComm)
ORVANE_APD_EXCEPTION(EPutBlockFail, ESerialIO)
ORVANE_APD_EXCEPTION(EOutputBufferTooSmall, ESerialIO)
ORVANE_APD_EXCEPTION(EBufferIsEmpty, ESerialIO)
ORVANE_APD_EXCEPTION(ENoMoreTriggers, ETrigger)
ORVANE_APD_EXCEPTION(EBadTriggerHandle, ETrigger)
#undef ORVANE_APD_EXCEPTION

// The runtime's input/output error: ErrorCode holds the positive number.
class EInOutError : public std::runtime_error {
 public:
  EInOutError(const std::string& message, int errorCode)
      : std::runtime_error(message), ErrorCode(errorCode) {}
  int ErrorCode;
};

// The one road from a serial-link code to an exception: a code of 0 or more
// comes back unchanged, a negative one is thrown as its class. `detail` is
// the operator text the link wrote for codes that carry the system's own
// words (a device the account may not open, any other system failure).
int CheckException(int code, const std::string& detail = {});

}  // namespace orvane::serial
