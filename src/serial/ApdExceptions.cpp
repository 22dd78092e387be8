#include "serial/ApdExceptions.h"

#include <map>
#include <new>

#include "serial/SerialErrors.h"

namespace orvane::serial {
namespace {

[[noreturn]] void ThrowComponentError(int code, const std::string& detail) {
  switch (code) {
    case ecBadId:
      throw EBadId("ie_BadId - Specified comport doesn't exist", code);
    case ecNotOpen:
      throw ECommNotOpen("ie_NOpen - device not open", code);
    case ecAlreadyOpen:
      // A device another program holds is named, with the holder; the
      // component's own text stays for a component already open.
      throw EAlreadyOpen(detail.empty() ? "ie_Open - device already open" : detail, code);
    case ecNoPortSelected:
      throw ENoPortSelected("The ComNumber property of the TApdComPort has not been set", code);
    case ecPermissionDenied:
      throw EDeviceAccessDenied(detail, code);
    case ecSystemError:
      throw EDeviceError(detail, code);
    case ecPutBlockFail:
      throw EPutBlockFail("Failed to put entire block", code);
    case ecOutputBufferTooSmall:
      throw EOutputBufferTooSmall("Output buffer too small for block", code);
    case ecBufferIsEmpty:
      throw EBufferIsEmpty("Buffer is empty", code);
    case ecNoMoreTriggers:
      throw ENoMoreTriggers("No more trigger slots", code);
    case ecBadTriggerHandle:
      throw EBadTriggerHandle("Bad trigger handle", code);
    default:
      throw EAPDException("Serial port error", 0);
  }
}

const std::map<int, const char*>& InOutMessages() {
  static const std::map<int, const char*> messages = {
      {2, "File not found"},
      {3, "Path not found"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {6, "Invalid file handle"},
      {8, "Insufficient memory"},
      {15, "Invalid drive"},
      {18, "No more files"},
      {100, "Attempt to read beyond end of file"},
      {101, "Disk is full"},
      {102, "File/device not assigned"},
      {103, "File/device not open"},
      {104, "File/device not open for input"},
      {105, "File/device not open for output"},
      {150, "Disk is write-protected"},
      {151, "Unknown disk unit"},
      {152, "Drive is not ready"},
      {153, "Unknown command"},
      {154, "Data error"},
      {155, "Bad request structure length"},
      {156, "Seek error"},
      {157, "Unknown media type"},
      {158, "Disk sector not found"},
      {159, "Printer is out of paper"},
      {160, "Device write error"},
      {161, "Device read error"},
      {162, "General failure"},
  };
  return messages;
}

// The link never hands over a Linux errno as one of these numbers, so a
// number without a text of its own is shown as what it is.
[[noreturn]] void ThrowInOutError(int number) {
  if (number == 8) throw std::bad_alloc();
  const auto& messages = InOutMessages();
  const auto found = messages.find(number);
  throw EInOutError(found != messages.end() ? found->second : "I/O error " + std::to_string(number),
                    number);
}

}  // namespace

int CheckException(int code, const std::string& detail) {
  if (code >= 0) return code;
  if (code >= -162 && code <= -2) ThrowInOutError(-code);
  ThrowComponentError(code, detail);
}

}  // namespace orvane::serial
