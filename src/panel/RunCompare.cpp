#include "panel/RunCompare.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

#include "panel/TrendChart.h"
#include "panel/TrendWindow.h"
#include "runs/RunFiles.h"
#include "trend/TrendFrame.h"
#include "widgets/TDialogOwner.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel {

// A run's readings with times from its start, kept in a ring of their own
// so that the trend's cut serves them too.
struct TRunCompare::TShown {
  QString name;
  std::int64_t end = 0;
  trend::TReadingRing readings;
  std::vector<QLineSeries*> pieces;
  QColor colour;

  explicit TShown(const runs::TRun& run)
      : name(QString::fromStdString(run.sampleName)),
        readings(std::max<std::size_t>(run.readings.size(), 1)) {
    std::int64_t last = 0;
    for (trend::TReading reading : run.readings) {
      reading.time = last = std::max(last, reading.time - run.start);
      readings.Append(reading);
    }
    end = std::max(last, run.end - run.start);
  }
};

namespace {

constexpr int kTimeTicks = 9;
constexpr int kSignalTicks = 6;
const QColor kColours[TRunCompare::kMaxRuns] = {QColor(0x1f, 0x4e, 0xa8), QColor(0xc0, 0x50, 0x10)};

}  // namespace

TRunCompare::TRunCompare(QWidget* parent)
    : QWidget(parent, Qt::Window),
      view_(new QChartView(new QChart, this)),
      chart_(view_->chart()),
      time_(new QValueAxis),
      signal_(new QValueAxis),
      open_(new QPushButton("&Open Run...")),
      overlay_(new QPushButton("O&verlay Run...")) {
  setObjectName("RunCompare");
  setWindowTitle("Run Comparison");
  time_->setTitleText("Time from injection (s)");
  signal_->setTitleText("Signal");
  chart_->addAxis(time_, Qt::AlignBottom);
  chart_->addAxis(signal_, Qt::AlignLeft);
  chart_->setMargins(QMargins(4, 4, 8, 4));
  overlay_->setEnabled(false);
  auto* bar = new QHBoxLayout;
  bar->addWidget(open_);
  bar->addWidget(overlay_);
  bar->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(view_, 1);
  using widgets::TErrorGuard;
  connect(open_, &QPushButton::clicked, this,
          [this] { TErrorGuard::Run([this] { Choose(false); }); });
  connect(overlay_, &QPushButton::clicked, this,
          [this] { TErrorGuard::Run([this] { Choose(true); }); });
  // A new width is cut again once the chart has laid itself out.
  connect(chart_, &QChart::plotAreaChanged, this, [this] {
    if (shown_.empty() || Columns() == shownColumns_) return;
    QTimer::singleShot(0, this, [this] { TErrorGuard::Run([this] { Replot(); }); });
  });
}

TRunCompare::~TRunCompare() = default;

void TRunCompare::Choose(bool overlay) {
  const QString path = QFileDialog::getOpenFileName(widgets::TDialogOwner::For(parentWidget()),
                                                    overlay ? "Overlay Run" : "Open Run",
                                                    QDir::homePath(), "Runs (*.cdf *.journal)");
  // The dialog's owner is the trend window, which comes back to the front
  // when it closes and would hide this window, shown over it.
  raise();
  activateWindow();
  if (!path.isEmpty()) OpenFile(path, overlay);
}

void TRunCompare::OpenFile(const QString& path, bool overlay) {
  runs::TRun run;
  if (const std::string error = runs::OpenRun(path.toStdString(), run); !error.empty()) {
    widgets::TMessageDlg::Error(widgets::TDialogOwner::For(parentWidget()),
                                QString::fromStdString(error));
    return;
  }
  Show(run, overlay);
}

void TRunCompare::Show(const runs::TRun& run, bool overlay) {
  const std::size_t index = overlay && !shown_.empty() ? std::min(shown_.size(), kMaxRuns - 1) : 0;
  while (shown_.size() > index) {
    for (QLineSeries* piece : shown_.back()->pieces) chart_->removeSeries(piece);
    for (QLineSeries* piece : shown_.back()->pieces) delete piece;
    shown_.pop_back();
  }
  shown_.push_back(std::make_unique<TShown>(run));
  shown_.back()->colour = kColours[index];
  overlay_->setEnabled(true);
  Replot();
}

int TRunCompare::Columns() const {
  return std::max(1, static_cast<int>(chart_->plotArea().width()));
}

void TRunCompare::Replot() {
  shownColumns_ = Columns();
  std::int64_t end = 1000;
  for (const auto& shown : shown_) end = std::max(end, shown->end);
  double low = 0;
  double high = 1;
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const trend::TTrendFrame frame =
        trend::Decimate(shown_[i]->readings, {0, end}, shownColumns_, TTrendWindow::kGapAfter);
    if (const auto extent = trend::SignalExtent(frame)) {
      low = i == 0 ? extent->first : std::min(low, extent->first);
      high = i == 0 ? extent->second : std::max(high, extent->second);
    }
    ShowRun(i, EnvelopeLines(frame.columns));
  }
  const double margin = std::max((high - low) * 0.05, 0.5);
  time_->setRange(0, static_cast<double>(end) / 1000);
  // Qt's rounding leaves its own tick count behind, which the next replot
  // would round again, coarser each time: start from the same count.
  time_->setTickCount(kTimeTicks);
  time_->applyNiceNumbers();
  signal_->setRange(low - margin, high + margin);
  signal_->setTickCount(kSignalTicks);
  signal_->applyNiceNumbers();
}

// Points in seconds from the start; the legend names each run once.
void TRunCompare::ShowRun(std::size_t index, const std::vector<QList<QPointF>>& lines) {
  TShown& shown = *shown_[index];
  while (shown.pieces.size() < lines.size()) {
    auto* piece = new QLineSeries;
    piece->setColor(shown.colour);
    chart_->addSeries(piece);
    piece->attachAxis(time_);
    piece->attachAxis(signal_);
    if (shown.pieces.empty()) piece->setName(shown.name.isEmpty() ? "(no name)" : shown.name);
    const auto markers = chart_->legend()->markers(piece);
    for (QLegendMarker* marker : markers) marker->setVisible(shown.pieces.empty());
    shown.pieces.push_back(piece);
  }
  for (std::size_t i = 0; i < shown.pieces.size(); ++i) {
    QList<QPointF> points = i < lines.size() ? lines[i] : QList<QPointF>{};
    for (QPointF& point : points) point.setX(point.x() / 1000);
    shown.pieces[i]->replace(points);
  }
}

QList<QList<QPointF>> TRunCompare::Pieces(std::size_t index) const {
  QList<QList<QPointF>> pieces;
  for (const QLineSeries* piece : shown_.at(index)->pieces) {
    if (piece->count() > 0) pieces.append(piece->points());
  }
  return pieces;
}

}  // namespace orvane::panel
