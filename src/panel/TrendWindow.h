#pragma once

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>

#include "instrument/StatusPolling.h"
#include "panel/TrendChart.h"
#include "trend/SignalTrend.h"
#include "trend/TrendFrame.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;

namespace orvane::panel {

class TRunBar;
class TRunFeed;

// "Signal Trend": the signal of every accepted reply against time. It reads
// the record only on its own repaint timer, which runs while the window is
// shown, so a fast stream of replies costs the window at most ten repaints a
// second and a hidden window none.
class TTrendWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRepaintInterval = 100;  // ms
  // Readings come a polling step apart, and at most 3 s apart after a change
  // of gain or mode holds the next poll back; a reply lost to noise adds a
  // step. A pause longer than this is an outage, and the trace breaks there.
  static constexpr std::int64_t kGapAfter = 8 * instrument::TStatusPolling::kInterval;

  TTrendWindow(const trend::TSignalTrend& trend, TRunFeed& runs, QWidget* parent);

  // Cuts the record to the view and hands it to the chart now: the timer's
  // work when there is something new, called directly to time it.
  void Replot();
  // Writes the readings of the window now plotted, on a worker thread; an
  // error is reported in a box when the writing is over.
  void SaveTo(const QString& path);
  // Until the outcome has been handled, which comes an event after the
  // worker is done.
  bool Saving() const { return savePending_; }

  TTrendChart& Chart() { return *chart_; }
  QComboBox& SpanBox() { return *span_; }
  QCheckBox& FixedBox() { return *fixed_; }
  QDoubleSpinBox& MinBox() { return *min_; }
  QDoubleSpinBox& MaxBox() { return *max_; }
  QPushButton& PauseButton() { return *pause_; }
  QPushButton& SaveButton() { return *save_; }
  TRunBar& RunBar() { return *runBar_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildControls();
  void Bind();
  void Tick();
  void ViewChanged() { viewChanged_ = true; }
  void PauseToggled(bool paused);
  void FixedToggled(bool fixed);
  QWidget* BoxOwner();
  void SaveClick();
  void SaveFinished();
  std::optional<TTrendChart::TRange> FixedRange() const;

  const trend::TSignalTrend& trend_;
  TTrendChart* chart_;
  QComboBox* span_ = nullptr;
  QCheckBox* fixed_ = nullptr;
  QDoubleSpinBox* min_ = nullptr;
  QDoubleSpinBox* max_ = nullptr;
  QPushButton* pause_ = nullptr;
  QPushButton* save_ = nullptr;
  TRunBar* runBar_;
  QTimer repaint_;
  trend::TTrendFrame frame_;
  std::uint64_t shownRevision_ = 0;
  int shownColumns_ = 0;
  bool viewChanged_ = true;
  bool paused_ = false;
  QFutureWatcher<QString> saving_;
  bool savePending_ = false;
};

}  // namespace orvane::panel
