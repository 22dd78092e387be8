#include "panel/InstrumentSearch.h"

#include <QLabel>

#include "instrument/LinkSearch.h"
#include "widgets/TSearchAnimation.h"

namespace orvane::panel {
namespace {

constexpr auto kSearching = "Searching For Instrument....";

QLabel* BoldLine(QWidget* parent, const QString& text, int top) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(0, top, parent->width(), 18);
  return label;
}

}  // namespace

TInstrumentSearch::TInstrumentSearch(instrument::TLinkSearch& search, QWidget* parent)
    : QDialog(parent), search_(search) {
  setObjectName("InstrumentSearch");
  setWindowTitle("ORVANE - AFS");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setFixedSize(294, 102);
  setCursor(Qt::WaitCursor);
  BoldLine(this, "Please Wait", 6);
  searching_ = BoldLine(this, kSearching, 26);
  animation_ = new widgets::TSearchAnimation(this);
  animation_->move((width() - animation_->width()) / 2, 48);
  connect(&search, &instrument::TLinkSearch::Ended, this, [this] { done(0); });
}

void TInstrumentSearch::ShowModal() {
  // Qt centres a dialog over its parent window when it is first shown.
  if (!search_.Finished()) exec();
}

void TInstrumentSearch::showEvent(QShowEvent* event) {
  searching_->setText(kSearching);
  QDialog::showEvent(event);
}

}  // namespace orvane::panel
