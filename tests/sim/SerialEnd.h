#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The panel's end of the simulated line: the pty slave, opened raw.
class SerialEnd {
 public:
  explicit SerialEnd(const std::string& path);
  ~SerialEnd();
  SerialEnd(const SerialEnd&) = delete;
  SerialEnd& operator=(const SerialEnd&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

  void SendRaw(std::string_view bytes) const;
  void Send(std::string_view command) const;  // adds the CR

  // Bytes up to and including the next CR, or nothing by the deadline.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(1));
  std::optional<std::string> Ask(std::string_view command);

  // Whatever arrives in one read, or nothing by the deadline.
  std::optional<std::string> ReadSome(std::chrono::milliseconds timeout);

  // ws_xpixel of the window-size record, where the panel reads DSR.
  unsigned XPixel() const;

  // True once the other end has gone: POLLHUP, or a read that fails or ends.
  bool WaitHangUp(std::chrono::milliseconds timeout) const;

 private:
  int fd_ = -1;
  std::string pending_;
};
