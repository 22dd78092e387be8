#include "panel/TrendOpener.h"

#include <QEvent>
#include <QLabel>
#include <QRegion>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <array>
#include <optional>

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

// Against the screen's edge on `side`: level with the panel, or at either
// end of that edge.
std::array<QRect, 3> AlongEdge(int side, const QRect& panel, const QSize& size,
                               const QRect& screen) {
  QRect level(screen.topLeft(), size);
  if (side < 2) {
    level.moveTop(std::clamp(panel.top(), screen.top(), screen.bottom() + 1 - size.height()));
    if (side == 0) level.moveRight(screen.right());
  } else {
    level.moveLeft(std::clamp(panel.left(), screen.left(), screen.right() + 1 - size.width()));
    if (side == 2) level.moveBottom(screen.bottom());
  }
  QRect first = level;
  QRect last = level;
  if (side < 2) {
    first.moveTop(screen.top());
    last.moveBottom(screen.bottom());
  } else {
    first.moveLeft(screen.left());
    last.moveRight(screen.right());
  }
  return {level, first, last};
}

// The sizes tried on `side`: as deep as the free band, but no less than the
// smallest, and as long as wanted or the smallest.
std::array<QSize, 2> SizesFor(int side, const QSize& band, const QSize& size,
                              const QSize& smallest) {
  QSize deep = size;
  QSize brief = size;
  if (side < 2) {
    deep.setWidth(std::min(size.width(), std::max(smallest.width(), band.width())));
    brief = QSize(deep.width(), smallest.height());
  } else {
    deep.setHeight(std::min(size.height(), std::max(smallest.height(), band.height())));
    brief = QSize(smallest.width(), deep.height());
  }
  return {deep, brief.boundedTo(size)};
}

int Covered(const QRect& placed, const QRect& panel) { return Area(placed.intersected(panel)); }

// Against a screen edge, where the window covers the least of the panel and
// nothing of `keepClear`; the larger of two that cover as much.
std::optional<QRect> LeastCovering(const QRect& panel, const QSize& size, const QRect& screen,
                                   const QRegion& keepClear, const QSize& smallest) {
  const auto sides = FreeSides(panel, screen);
  std::optional<QRect> best;
  for (int side = 0; side < 4; ++side) {
    const QSize band = sides[static_cast<std::size_t>(side)].band.size();
    for (const QSize& tried : SizesFor(side, band, size, smallest)) {
      for (const QRect& placed : AlongEdge(side, panel, tried.boundedTo(screen.size()), screen)) {
        if (keepClear.intersects(placed)) continue;
        if (!best || Covered(placed, panel) < Covered(*best, panel)) best = placed;
      }
    }
  }
  return best;
}

}  // namespace

QRect PlaceBeside(const QRect& panel, const QSize& size, const QRect& screen,
                  const TReadOuts& readOuts, QSize smallest) {
  smallest = smallest.expandedTo(kSmallest).boundedTo(size);
  const auto sides = FreeSides(panel, screen);
  for (const TSide& side : sides) {
    if (Fits(side.band, size)) return PlaceIn(side, panel, size);
  }
  const auto widest =
      std::max_element(sides.begin(), sides.end(),
                       [](const TSide& a, const TSide& b) { return Area(a.band) < Area(b.band); });
  const QSize shrunk = size.boundedTo(widest->band.size());
  if (shrunk.expandedTo(smallest) == shrunk) return PlaceIn(*widest, panel, shrunk);
  for (const QRegion& keepClear : {readOuts.all, readOuts.first}) {
    if (const auto placed = LeastCovering(panel, size, screen, keepClear, smallest)) return *placed;
  }
  const QSize onScreen = size.boundedTo(screen.size());
  return QRect(screen.topLeft() + QPoint(screen.width() - onScreen.width(), 0), onScreen);
}

TTrendOpener::TTrendOpener(QWidget& panel, QLabel& readOut, const trend::TSignalTrend& trend,
                           TRunFeed& runs)
    : panel_(panel), readOut_(readOut), trend_(trend), runs_(runs) {
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
  const QSize smallest = window_->minimumSizeHint() + frame;
  const QRect placed = PlaceBeside(panel_.frameGeometry(), kTrendSize + frame,
                                   screen->availableGeometry(), ReadOuts(), smallest);
  // A screen narrower than the controls' row squeezes it rather than put
  // part of the window off the screen.
  window_->setMinimumSize(window_->minimumSizeHint().boundedTo(placed.size() - frame));
  window_->resize(placed.size() - frame);
  // Under the always-on-top panel the part it must overlap would be hidden:
  // it stands above the panel, over controls the placement chose.
  if (placed.intersects(panel_.frameGeometry())) {
    window_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  }
  window_->move(placed.topLeft());
}

// On the screen: the status row, from the panel's left edge to the end of
// the signal reading's group with the link LEDs; then the lamp's read-outs,
// where the model has them.
TReadOuts TTrendOpener::ReadOuts() const {
  const QWidget& group = *readOut_.parentWidget();
  const QPoint end = group.mapToGlobal(QPoint(group.width(), group.height()));
  TReadOuts readOuts;
  readOuts.first = QRect(panel_.mapToGlobal(QPoint(0, 0)), end);
  readOuts.all = readOuts.first;
  const QRect client(panel_.mapToGlobal(QPoint(0, 0)), panel_.size());
  for (const char* name : {"PrimaryGauge", "BoostGauge", "lblFlameStat"}) {
    const auto* shown = panel_.findChild<QWidget*>(name);
    if (shown == nullptr || !shown->isVisible()) continue;
    const QRect onScreen(shown->mapToGlobal(QPoint(0, 0)), shown->size());
    readOuts.all += onScreen.intersected(client);
  }
  return readOuts;
}

}  // namespace orvane::panel
