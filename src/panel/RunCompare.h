#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

#include "runs/RunJournal.h"
#include "trend/ReadingRing.h"

class QChart;
class QChartView;
class QLineSeries;
class QPushButton;
class QValueAxis;

namespace orvane::panel {

// "Run Comparison": saved runs plotted against the time from each one's
// start, the moment of injection, so that a sample's peaks stand over a
// standard's. "Open Run..." shows a run alone, "Overlay Run..." adds one over
// it (a second overlay replaces the one before). Each run is cut to the
// plot's pixel columns as the live trend is, and breaks at its outages.
class TRunCompare : public QWidget {
 public:
  static constexpr std::size_t kMaxRuns = 2;

  explicit TRunCompare(QWidget* parent);
  ~TRunCompare() override;

  void Show(const runs::TRun& run, bool overlay);
  // Reads `path`; an unreadable file is told in a box and changes nothing.
  void OpenFile(const QString& path, bool overlay);
  // Cuts the runs to the plot's width and hands them to the chart now.
  void Replot();

  QChart& Chart() { return *chart_; }
  QChartView& View() { return *view_; }
  // The pieces of run `index`'s trace, in seconds from its start.
  QList<QList<QPointF>> Pieces(std::size_t index) const;
  std::size_t Runs() const { return shown_.size(); }
  QPushButton& OpenButton() { return *open_; }
  QPushButton& OverlayButton() { return *overlay_; }

 private:
  struct TShown;

  void Choose(bool overlay);
  void ShowRun(std::size_t index, const std::vector<QList<QPointF>>& lines);
  int Columns() const;

  QChartView* view_;
  QChart* chart_;
  QValueAxis* time_;
  QValueAxis* signal_;
  QPushButton* open_;
  QPushButton* overlay_;
  std::vector<std::unique_ptr<TShown>> shown_;
  int shownColumns_ = 0;
};

}  // namespace orvane::panel
