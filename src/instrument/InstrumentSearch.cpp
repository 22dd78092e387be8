#include "instrument/InstrumentSearch.h"

#include <QLabel>

#include "widgets/TSearchAnimation.h"

namespace orvane::instrument {
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

TInstrumentSearch::TInstrumentSearch(QWidget* parent) : QDialog(parent) {
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
}

void TInstrumentSearch::ShowModal() {
  // Qt centres a dialog over its parent window when it is first shown.
  if (!finished_) exec();
}

void TInstrumentSearch::Finish() {
  finished_ = true;
  done(0);
}

void TInstrumentSearch::showEvent(QShowEvent* event) {
  searching_->setText(kSearching);
  QDialog::showEvent(event);
}

}  // namespace orvane::instrument
