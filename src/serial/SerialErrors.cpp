#include "serial/SerialErrors.h"

#include <cerrno>
#include <cstring>

#include "serial/DeviceHolder.h"

namespace orvane::serial {

namespace {

std::string ErrnoText(int err) {
  char buf[256];
  return strerror_r(err, buf, sizeof buf);
}

}  // namespace

TSerialError OpenError(int err, const std::string& device) {
  switch (err) {
    case EBUSY:
    case EWOULDBLOCK:
      return {ecAccessDenied, err, InUseText(device, std::nullopt)};
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case EIO:
      return {ecFileNotFound, err, device + " does not exist"};
    case EACCES:
    case EPERM:
      return {ecPermissionDenied, err,
              "Permission denied opening " + device +
                  ": the account must be a member of the dialout group"};
    case ENOMEM:
      return {ecOutOfMemory, err, ErrnoText(err)};
    default:
      return SystemError(err, device, "open");
  }
}

TSerialError SystemError(int err, const std::string& device, const char* what) {
  return {ecSystemError, err, device + ": " + what + ": " + ErrnoText(err)};
}

}  // namespace orvane::serial
