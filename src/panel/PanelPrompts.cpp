#include "panel/PanelPrompts.h"

#include <QPointer>

#include "panel/InstrumentSearch.h"
#include "serial/ComSelectForm.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel {

bool TPanelPrompts::Warn(const QString& text, widgets::TBoxCloser& closer) {
  return widgets::TMessageDlg::Warning(&window_, text, &closer) != widgets::mrNone;
}

std::optional<std::uint16_t> TPanelPrompts::AskPort(widgets::TBoxCloser& closer) {
  return serial::AskPortNumber(&window_, &closer);
}

// A child of the window, which takes the box along should it go first.
void TPanelPrompts::ShowSearch(instrument::TLinkSearch& search) {
  const QPointer<TInstrumentSearch> box = new TInstrumentSearch(search, &window_);
  box->ShowModal();
  delete box;
}

}  // namespace orvane::panel
