#pragma once

#include "instrument/LinkPrompts.h"

class QWidget;

namespace orvane::panel {

// Asks the operator what the link's supervision needs, in boxes transient
// for the main window.
class TPanelPrompts : public instrument::TLinkPrompts {
 public:
  explicit TPanelPrompts(QWidget& window) : window_(window) {}

  bool Warn(const QString& text, widgets::TBoxCloser& closer) override;
  std::optional<std::uint16_t> AskPort(widgets::TBoxCloser& closer) override;
  void ShowSearch(instrument::TLinkSearch& search) override;

 private:
  QWidget& window_;
};

}  // namespace orvane::panel
