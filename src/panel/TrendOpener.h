#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>

#include "panel/TrendWindow.h"
#include "trend/SignalTrend.h"

class QLabel;
class QWidget;

namespace orvane::panel {

// The parts of the panel a window must leave in sight: `first` above all,
// `all` where the screen allows.
struct TReadOuts {
  QRegion first;
  QRegion all;
};

// Where a window of `size` goes so that it lies beside `panel` and inside
// `screen`: to the right, else to the left, below or above, whichever fits
// first; when none fits it is shrunk into the widest free side, down to
// `smallest` (never below 360 x 220). Only a screen too small for that makes
// it overlap the panel: then it goes against a screen edge where it covers
// the least of the panel and none of the read-outs, at no less than
// `smallest`.
QRect PlaceBeside(const QRect& panel, const QSize& size, const QRect& screen,
                  const TReadOuts& readOuts = {}, QSize smallest = {});

// Opens the trend window when the signal read-out is double-clicked or
// Ctrl+T is pressed in the panel; once open, the same raises it.
class TTrendOpener : public QObject {
 public:
  static constexpr QSize kTrendSize{760, 440};

  TTrendOpener(QWidget& panel, QLabel& readOut, const trend::TSignalTrend& trend, TRunFeed& runs);
  // The window goes before the record it reads, not with the panel's children.
  ~TTrendOpener() override;

  void Open();
  TTrendWindow* Window() const { return window_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  TReadOuts ReadOuts() const;

  QWidget& panel_;
  QLabel& readOut_;
  const trend::TSignalTrend& trend_;
  TRunFeed& runs_;
  QPointer<TTrendWindow> window_;
};

}  // namespace orvane::panel
