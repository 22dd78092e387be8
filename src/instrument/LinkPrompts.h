#pragma once

#include <cstdint>
#include <optional>

#include <QString>

namespace orvane::widgets {
class TBoxCloser;
}

namespace orvane::instrument {

class TLinkSearch;

// What the supervision asks of the operator. Each call returns once its box
// has closed; timers and port events go on while it is open, so the link may
// be lost and found again meanwhile. The window decides how a box looks; the
// link decides what is asked and when.
class TLinkPrompts {
 public:
  virtual ~TLinkPrompts() = default;

  // A warning with one OK button. False when the program ended it through
  // `closer` before the operator answered.
  virtual bool Warn(const QString& text, widgets::TBoxCloser& closer) = 0;
  // The operator's choice of port; none when cancelled, or ended through
  // `closer`.
  virtual std::optional<std::uint16_t> AskPort(widgets::TBoxCloser& closer) = 0;
  // Shows `search` until it is finished; returns at once if it already is.
  // Nothing on it answers the operator: only the program ends it.
  virtual void ShowSearch(TLinkSearch& search) = 0;
};

}  // namespace orvane::instrument
