#include "panel/TrendWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QtConcurrent/QtConcurrentRun>

#include "panel/RunBar.h"
#include "trend/TrendCsv.h"
#include "widgets/TDialogOwner.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel {
namespace {

// The detector reads 0 .. 6553.5; a fixed range may reach a little beyond.
QDoubleSpinBox* RangeBox(double value) {
  auto* box = new QDoubleSpinBox;
  box->setRange(-10000, 10000);
  box->setDecimals(3);
  box->setValue(value);
  box->setEnabled(false);
  return box;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TTrendWindow::TTrendWindow(const trend::TSignalTrend& trend, TRunFeed& runs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      trend_(trend),
      chart_(new TTrendChart(this)),
      runBar_(new TRunBar(runs, this)) {
  setObjectName("TrendWindow");
  setWindowTitle("Signal Trend");
  BuildControls();
  Bind();
  repaint_.setInterval(kRepaintInterval);
}

// Every control has an Alt letter of its own, and Pause's is no label's:
// Alt+P pauses, Alt+R resumes, Alt+N opens the span list. The run controls
// stand on a row of their own above the plot.
void TTrendWindow::BuildControls() {
  span_ = new QComboBox;
  span_->addItems({"1 min", "10 min", "1 h", "All since start"});
  span_->setCurrentIndex(static_cast<int>(trend::TSpan::TenMinutes));
  fixed_ = new QCheckBox("&Fixed range");
  min_ = RangeBox(0);
  max_ = RangeBox(100);
  pause_ = new QPushButton("&Pause");
  pause_->setCheckable(true);
  save_ = new QPushButton("&Save as CSV...");
  auto* bar = new QHBoxLayout;
  bar->addWidget(BuddyLabel("Spa&n:", span_));
  bar->addWidget(span_);
  bar->addSpacing(12);
  bar->addWidget(fixed_);
  bar->addWidget(BuddyLabel("M&in:", min_));
  bar->addWidget(min_);
  bar->addWidget(BuddyLabel("Ma&x:", max_));
  bar->addWidget(max_);
  bar->addStretch();
  bar->addWidget(pause_);
  bar->addWidget(save_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(runBar_);
  layout->addWidget(chart_, 1);
}

void TTrendWindow::Bind() {
  using widgets::TErrorGuard;
  connect(&repaint_, &QTimer::timeout, this, [this] { TErrorGuard::Run([this] { Tick(); }); });
  connect(span_, &QComboBox::currentIndexChanged, this, [this] { ViewChanged(); });
  connect(min_, &QDoubleSpinBox::valueChanged, this, [this] { ViewChanged(); });
  connect(max_, &QDoubleSpinBox::valueChanged, this, [this] { ViewChanged(); });
  connect(fixed_, &QCheckBox::toggled, this, [this](bool on) { FixedToggled(on); });
  connect(pause_, &QPushButton::toggled, this, [this](bool on) { PauseToggled(on); });
  connect(save_, &QPushButton::clicked, this,
          [this] { TErrorGuard::Run([this] { SaveClick(); }); });
  connect(&saving_, &QFutureWatcher<QString>::finished, this,
          [this] { TErrorGuard::Run([this] { SaveFinished(); }); });
}

void TTrendWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  viewChanged_ = true;
  repaint_.start();
  widgets::TErrorGuard::Run([this] { Tick(); });
}

void TTrendWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  repaint_.stop();
}

// Paused, the record goes on filling but only a change of view replots, and
// then around the moment the plot stopped at.
void TTrendWindow::Tick() {
  const bool fresh = !paused_ && trend_.Revision() != shownRevision_;
  if (fresh || viewChanged_ || chart_->Columns() != shownColumns_) Replot();
}

void TTrendWindow::Replot() {
  viewChanged_ = false;
  shownColumns_ = chart_->Columns();
  const trend::TReadingRing& readings = trend_.Readings();
  if (readings.Empty()) return;
  const bool frozen = paused_ && shownRevision_ != 0;
  const std::int64_t end = frozen ? frame_.window.to : readings.Back().time;
  const auto span = static_cast<trend::TSpan>(span_->currentIndex());
  frame_ =
      trend::Decimate(readings, trend::SpanWindow(readings, span, end), shownColumns_, kGapAfter);
  shownRevision_ = trend_.Revision();
  chart_->Show(frame_, FixedRange());
}

std::optional<TTrendChart::TRange> TTrendWindow::FixedRange() const {
  if (!fixed_->isChecked() || min_->value() >= max_->value()) return std::nullopt;
  return TTrendChart::TRange{min_->value(), max_->value()};
}

void TTrendWindow::PauseToggled(bool paused) {
  paused_ = paused;
  pause_->setText(paused ? "&Resume" : "&Pause");
  ViewChanged();
}

// The fields start from the range in view, so fixing it changes nothing
// until the operator edits them.
void TTrendWindow::FixedToggled(bool fixed) {
  if (fixed) {
    const TTrendChart::TRange range = chart_->SignalRange();
    min_->setValue(range.first);
    max_->setValue(range.second);
  }
  min_->setEnabled(fixed);
  max_->setEnabled(fixed);
  ViewChanged();
}

// This is an ordinary window, which window managers stack under the
// always-on-top panel; a box transient for it would stand there too, modal
// and half hidden. Its boxes stand on the panel, its parent, instead.
QWidget* TTrendWindow::BoxOwner() { return widgets::TDialogOwner::For(parentWidget()); }

void TTrendWindow::SaveClick() {
  const QString suggested = QDir::home().filePath(
      QDateTime::currentDateTime().toString("'signal-trend-'yyyyMMdd-hhmmss'.csv'"));
  const QString path =
      QFileDialog::getSaveFileName(BoxOwner(), "Save as CSV", suggested, "CSV files (*.csv)");
  if (!path.isEmpty()) SaveTo(path);
}

// A day of readings takes seconds to write: the copy is taken here, the
// writing is left to a worker so that replies go on being handled.
void TTrendWindow::SaveTo(const QString& path) {
  save_->setEnabled(false);
  savePending_ = true;
  saving_.setFuture(
      QtConcurrent::run([readings = trend::ReadingsIn(trend_.Readings(), frame_.window), path] {
        return trend::WriteCsvFile(path.toStdString(), readings)
                   ? QString()
                   : QString("Unable to write to %1").arg(path);
      }));
}

void TTrendWindow::SaveFinished() {
  save_->setEnabled(true);
  savePending_ = false;
  if (const QString error = saving_.result(); !error.isEmpty()) {
    widgets::TMessageDlg::Error(BoxOwner(), error);
  }
}

}  // namespace orvane::panel
