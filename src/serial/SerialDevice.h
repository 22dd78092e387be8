#pragma once

#include <cstdint>
#include <string>

#include "serial/LineSettings.h"
#include "serial/SerialErrors.h"

namespace orvane::serial {

// Opens `device` for exclusive use: no controlling terminal, non-blocking,
// TIOCEXCL and an exclusive flock (root passes TIOCEXCL, the lock still
// holds). A live UUCP lock file of another program counts as a holder too.
// Returns the descriptor, or -1 with `error` filled in.
int OpenSerialDevice(const std::string& device, TSerialError& error);

// Gives up exclusive use and closes. A pty keeps TIOCEXCL while its master
// is open, so without clearing it the next open of the same pty by an
// ordinary account would be refused as if the port were still held.
void CloseSerialDevice(int fd);

// Raw mode, no flow control, the given speed, parity, data and stop bits.
// The settings are written only when they differ from the current ones.
TSerialError ApplyLineSettings(int fd, const std::string& device, const TLineSettings& line);

// Raises or lowers a modem line (TIOCM_DTR, TIOCM_RTS). Ptys have none, so a
// failure is not an error here.
void DriveModemLine(int fd, int line, bool on);

// DSR now: the modem line where the driver has one; on a pty, asserted while
// the other end is open and has not set the "DSR off" mark.
bool ReadDsr(int fd);

}  // namespace orvane::serial
