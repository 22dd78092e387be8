#pragma once

namespace orvane::widgets {
class TTimer;
}

namespace orvane::instrument {

// How long each timer the link drives runs, in ms; the window creates its
// timers with these. The check timer runs at TStatusPolling::kInterval.
// The activity LED goes out a second after the last answer; a command
// unanswered for three seconds, or three seconds without a reply, is a lost
// link; the connect follows a quarter of a second after the window shows.
inline constexpr int kActivityInterval = 1000;
inline constexpr int kNoResponseInterval = 3000;
inline constexpr int kNoDataStreamInterval = 3000;
inline constexpr int kStartupInterval = 250;

// The window's timers that the link drives. The window owns them.
struct TLinkTimers {
  widgets::TTimer& Activity;
  widgets::TTimer& NoResponse;
  widgets::TTimer& NoDataStream;
  widgets::TTimer& Startup;
  widgets::TTimer& Check;
};

}  // namespace orvane::instrument
