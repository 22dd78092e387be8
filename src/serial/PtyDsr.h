#pragma once

#include <sys/ioctl.h>

namespace orvane::serial {

// A pseudo-terminal has no modem lines, so its other end (the simulator, a
// test) tells the port whether DSR is asserted through the window-size
// record: this value in ws_xpixel means "DSR off", anything else asserted.
// The window size is a setting the master side writes and the slave side
// reads back while the line stays open.
inline constexpr unsigned short kPtyDsrOff = 0x0D50;

// Lowers or raises DSR from the master side of a pty.
inline void SetPtyDsr(int master, bool asserted) {
  winsize size{};
  ioctl(master, TIOCGWINSZ, &size);
  size.ws_xpixel = asserted ? 0 : kPtyDsrOff;
  ioctl(master, TIOCSWINSZ, &size);
}

}  // namespace orvane::serial
