#pragma once

#include <string>

namespace orvane::serial {

// Negative codes the serial link returns; the port component turns them into
// its exception classes. -2 and -5 are the classic "file not found" and
// "access denied" results of an open, which the component maps to its
// "no such port" and "port already open" errors. Linux errno values never
// appear here: every other system failure is ecSystemError, with the
// system's own text in TSerialError.
inline constexpr int ecOK = 0;
inline constexpr int ecFileNotFound = -2;
inline constexpr int ecAccessDenied = -5;
inline constexpr int ecOutOfMemory = -8;
inline constexpr int ecDeviceWrite = -160;
inline constexpr int ecDeviceRead = -161;
inline constexpr int ecBadId = -2001;
inline constexpr int ecNotOpen = -2007;
inline constexpr int ecAlreadyOpen = -2008;
inline constexpr int ecPermissionDenied = -2101;
inline constexpr int ecSystemError = -2102;
inline constexpr int ecPutBlockFail = -3004;
inline constexpr int ecOutputBufferTooSmall = -3006;
inline constexpr int ecBufferIsEmpty = -3007;
inline constexpr int ecNoMoreTriggers = -5001;
inline constexpr int ecBadTriggerHandle = -5003;

// The last failure of an open or of a line-settings call: the code above,
// the errno it came from (0 when none) and a text fit for the operator.
struct TSerialError {
  int Code = ecOK;
  int Errno = 0;
  std::string Text;
};

// Classifies an errno from opening `device`.
TSerialError OpenError(int err, const std::string& device);

// Wraps an errno from any other call on `device` as ecSystemError.
TSerialError SystemError(int err, const std::string& device, const char* what);

}  // namespace orvane::serial
