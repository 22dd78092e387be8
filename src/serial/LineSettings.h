#pragma once

#include <cstdint>

namespace orvane::serial {

enum class TParity { pNone, pOdd, pEven, pMark, pSpace };

// A serial line's settings; the defaults are the instrument's line, 2400
// bit/s, 7 data bits, no parity, 2 stop bits.
struct TLineSettings {
  std::int32_t Baud = 2400;
  TParity Parity = TParity::pNone;
  int DataBits = 7;
  int StopBits = 2;
};

// Line flags of InitPort: raise DTR, raise RTS; let the driver drive them.
inline constexpr std::uint8_t lfRaiseDTR = 0x01;
inline constexpr std::uint8_t lfRaiseRTS = 0x02;
inline constexpr std::uint8_t lfAutoDTR = 0x10;
inline constexpr std::uint8_t lfAutoRTS = 0x20;

}  // namespace orvane::serial
