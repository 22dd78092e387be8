#pragma once

namespace orvane::widgets {
class TTimer;
}

namespace orvane::instrument {

// The window's timers that the link drives. The window owns them.
struct TLinkTimers {
  widgets::TTimer& Activity;      // 1000 ms
  widgets::TTimer& NoResponse;    // 3000 ms
  widgets::TTimer& NoDataStream;  // 3000 ms
  widgets::TTimer& Startup;       // 250 ms
  widgets::TTimer& Check;         // 600 ms
};

}  // namespace orvane::instrument
