#include "panel/TrendOpener.h"

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <array>

#include "widgets/TErrorGuard.h"

namespace orvane::panel {
namespace {

constexpr int kGap = 8;
constexpr QSize kSmallest{360, 220};

// The free bands around the panel, in the order they are tried.
struct TSide {
  QRect band;
  bool vertical;  // beside the panel rather than above or below it
};

std::array<TSide, 4> FreeSides(const QRect& panel, const QRect& screen) {
  return {{{QRect(QPoint(panel.right() + 1 + kGap, screen.top()), screen.bottomRight()), true},
           {QRect(screen.topLeft(), QPoint(panel.left() - 1 - kGap, screen.bottom())), true},
           {QRect(QPoint(screen.left(), panel.bottom() + 1 + kGap), screen.bottomRight()), false},
           {QRect(screen.topLeft(), QPoint(screen.right(), panel.top() - 1 - kGap)), false}}};
}

// Against the panel across the gap, and level with its top or left edge as
// far as the band allows.
QRect PlaceIn(const TSide& side, const QRect& panel, const QSize& size) {
  QRect placed(side.band.topLeft(), size);
  const QRect& band = side.band;
  if (side.vertical) {
    if (band.right() < panel.left()) placed.moveRight(band.right());
    placed.moveTop(std::clamp(panel.top(), band.top(), band.bottom() + 1 - size.height()));
  } else {
    if (band.bottom() < panel.top()) placed.moveBottom(band.bottom());
    placed.moveLeft(std::clamp(panel.left(), band.left(), band.right() + 1 - size.width()));
  }
  return placed;
}

int Area(const QRect& band) { return std::max(0, band.width()) * std::max(0, band.height()); }

bool Fits(const QRect& band, const QSize& size) {
  return band.width() >= size.width() && band.height() >= size.height();
}

}  // namespace

QRect PlaceBeside(const QRect& panel, const QSize& size, const QRect& screen) {
  const auto sides = FreeSides(panel, screen);
  for (const TSide& side : sides) {
    if (Fits(side.band, size)) return PlaceIn(side, panel, size);
  }
  const auto widest =
      std::max_element(sides.begin(), sides.end(),
                       [](const TSide& a, const TSide& b) { return Area(a.band) < Area(b.band); });
  const QSize shrunk = size.boundedTo(widest->band.size());
  if (shrunk.expandedTo(kSmallest) == shrunk) return PlaceIn(*widest, panel, shrunk);
  const QSize onScreen = size.boundedTo(screen.size());
  return QRect(screen.topLeft() + QPoint(screen.width() - onScreen.width(), 0), onScreen);
}

TTrendOpener::TTrendOpener(QWidget& panel, QLabel& readOut, const trend::TSignalTrend& trend,
                           TRunFeed& runs)
    : panel_(panel), trend_(trend), runs_(runs) {
  readOut.installEventFilter(this);
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), &panel);
  connect(shortcut, &QShortcut::activated, this,
          [this] { widgets::TErrorGuard::Run([this] { Open(); }); });
}

TTrendOpener::~TTrendOpener() { delete window_; }

bool TTrendOpener::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    widgets::TErrorGuard::Run([this] { Open(); });
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void TTrendOpener::Open() {
  if (!window_) {
    window_ = new TTrendWindow(trend_, runs_, &panel_);
    window_->resize(kTrendSize);
    Place();
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

// The frame is not known before the window is first shown: the panel's own
// frame stands in for it.
void TTrendOpener::Place() {
  const QScreen* screen = panel_.screen();
  if (!screen) return;
  const QSize frame = panel_.frameGeometry().size() - panel_.size();
  const QRect placed =
      PlaceBeside(panel_.frameGeometry(), kTrendSize + frame, screen->availableGeometry());
  window_->resize(placed.size() - frame);
  window_->move(placed.topLeft());
}

}  // namespace orvane::panel
