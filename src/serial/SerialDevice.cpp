#include "serial/SerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "serial/PtyDsr.h"
#include "serial/UucpLock.h"

namespace orvane::serial {

namespace {

speed_t SpeedOf(std::int32_t baud) {
  switch (baud) {
    case 110:
      return B110;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B0;
  }
}

tcflag_t SizeOf(int dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

tcflag_t ParityOf(TParity parity) {
  switch (parity) {
    case TParity::pOdd:
      return PARENB | PARODD;
    case TParity::pEven:
      return PARENB;
    case TParity::pMark:
      return PARENB | PARODD | CMSPAR;
    case TParity::pSpace:
      return PARENB | CMSPAR;
    default:
      return 0;
  }
}

// Bytes pass unchanged, without parity checking, flow control or any
// processing; a read returns whatever has arrived (at least one byte).
void MakeLine(termios& t, speed_t speed, const TLineSettings& line) {
  cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  t.c_cflag |= SizeOf(line.DataBits) | ParityOf(line.Parity) | CLOCAL | CREAD;
  if (line.StopBits == 2) t.c_cflag |= CSTOPB;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
}

bool SameLine(const termios& a, const termios& b, tcflag_t cflagMask = ~tcflag_t{0}) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag &&
         (a.c_cflag & cflagMask) == (b.c_cflag & cflagMask) && a.c_lflag == b.c_lflag &&
         a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME] &&
         cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}

bool PtyOtherEndOpen(int fd) {
  pollfd p{fd, 0, 0};
  return poll(&p, 1, 0) == 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

}  // namespace

int OpenSerialDevice(const std::string& device, TSerialError& error) {
  const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = OpenError(errno, device);
    return -1;
  }
  int err = flock(fd, LOCK_EX | LOCK_NB) != 0 ? errno : 0;
  // A terminal program may hold the line by a lock file alone.
  if (err == 0 && HeldByLockFile(device)) err = EBUSY;
  if (err != 0) {
    error = OpenError(err, device);
    close(fd);
    return -1;
  }
  // Keeps out other openers that do not take the lock; a non-tty has no such
  // mode, and root passes it anyway, so the lock is what counts.
  ioctl(fd, TIOCEXCL);
  return fd;
}

void CloseSerialDevice(int fd) {
  ioctl(fd, TIOCNXCL);
  close(fd);
}

TSerialError ApplyLineSettings(int fd, const std::string& device, const TLineSettings& line) {
  const speed_t speed = SpeedOf(line.Baud);
  if (speed == B0) return SystemError(EINVAL, device, "line speed");
  termios current{};
  if (tcgetattr(fd, &current) != 0) return SystemError(errno, device, "tcgetattr");
  termios wanted = current;
  MakeLine(wanted, speed, line);
  if (SameLine(current, wanted) || tcsetattr(fd, TCSANOW, &wanted) == 0) return {};
  const int err = errno;
  // A pty forces 8-bit characters and may refuse any other size outright;
  // what matters is that everything else took, so read the line back.
  termios now{};
  if (err == EINVAL && tcgetattr(fd, &now) == 0 && SameLine(now, wanted, ~CSIZE)) return {};
  return SystemError(err, device, "tcsetattr");
}

void DriveModemLine(int fd, int line, bool on) { ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line); }

bool ReadDsr(int fd) {
  int lines = 0;
  if (ioctl(fd, TIOCMGET, &lines) == 0) return (lines & TIOCM_DSR) != 0;
  if (errno != ENOTTY && errno != EINVAL) return false;
  winsize ws{};
  if (!PtyOtherEndOpen(fd)) return false;
  return ioctl(fd, TIOCGWINSZ, &ws) != 0 || ws.ws_xpixel != kPtyDsrOff;
}

}  // namespace orvane::serial
