#include "panel/RunBar.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include <algorithm>

#include "panel/RunCompare.h"
#include "panel/RunFeed.h"
#include "panel/TrendOpener.h"
#include "widgets/TDialogOwner.h"
#include "widgets/TErrorGuard.h"

namespace orvane::panel {
namespace {

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TRunBar::TRunBar(TRunFeed& feed, QWidget* parent)
    : QWidget(parent),
      feed_(feed),
      sample_(new QLineEdit),
      length_(new QSpinBox),
      run_(new QPushButton("S&tart Run")),
      state_(new QLabel),
      saveRun_(new QPushButton("Save R&un As...")),
      openRun_(new QPushButton("Op&en Run...")) {
  sample_->setPlaceholderText("sample name");
  length_->setRange(0, 24 * 60);
  length_->setSuffix(" min");
  length_->setSpecialValueText("none");
  auto* bar = new QHBoxLayout(this);
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addWidget(BuddyLabel("Sa&mple:", sample_));
  bar->addWidget(sample_, 2);
  bar->addWidget(BuddyLabel("Run &length:", length_));
  bar->addWidget(length_);
  bar->addWidget(run_);
  bar->addWidget(state_, 1);
  bar->addWidget(saveRun_);
  bar->addWidget(openRun_);
  elapsed_.setInterval(kElapsedInterval);
  using widgets::TErrorGuard;
  connect(run_, &QPushButton::clicked, this, [this] { TErrorGuard::Run([this] { RunClick(); }); });
  connect(saveRun_, &QPushButton::clicked, this,
          [this] { TErrorGuard::Run([this] { SaveRunClick(); }); });
  connect(openRun_, &QPushButton::clicked, this, [this] {
    TErrorGuard::Run([this] {
      Compare().show();
      Compare().raise();
      Compare().OpenButton().click();
    });
  });
  connect(&elapsed_, &QTimer::timeout, this, [this] { Refresh(); });
  connect(&feed_, &TRunFeed::Changed, this, [this] { Refresh(); });
  Refresh();
}

// At the trend window's corner, at its usual size within the screen, and
// above the always-on-top panel where it has to cover part of it: the
// operator asked for it, and under the panel it would be lost.
TRunCompare& TRunBar::Compare() {
  if (compare_) return *compare_;
  QWidget& trendWindow = *window();
  compare_ = new TRunCompare(&trendWindow);
  QRect placed(trendWindow.geometry().topLeft(), TTrendOpener::kTrendSize);
  if (const QScreen* screen = trendWindow.screen()) {
    const QRect free = screen->availableGeometry();
    placed.setSize(placed.size().boundedTo(free.size()));
    placed.moveRight(std::min(placed.right(), free.right()));
    placed.moveBottom(std::min(placed.bottom(), free.bottom()));
  }
  const QWidget* panel = trendWindow.parentWidget();
  compare_->setWindowFlag(Qt::WindowStaysOnTopHint,
                          panel != nullptr && placed.intersects(panel->frameGeometry()));
  compare_->setGeometry(placed);
  return *compare_;
}

void TRunBar::RunClick() {
  if (feed_.Recording()) {
    feed_.Stop();
  } else {
    feed_.Start(sample_->text(), length_->value());
  }
}

void TRunBar::SaveRunClick() {
  const auto run = feed_.LastRun();
  if (!run) return;
  const QString suggested = QDir::home().filePath(
      QDateTime::fromMSecsSinceEpoch(run->start).toString("'run-'yyyyMMdd-hhmmss'.cdf'"));
  const QString path = QFileDialog::getSaveFileName(
      widgets::TDialogOwner::For(window()->parentWidget()), "Save Run As", suggested,
      "AIA chromatography netCDF (*.cdf);;CSV files (*.csv)");
  if (!path.isEmpty()) feed_.SaveLastRunAs(path);
}

void TRunBar::Refresh() {
  const bool recording = feed_.Recording();
  run_->setText(recording ? "St&op Run" : "S&tart Run");
  sample_->setEnabled(!recording);
  length_->setEnabled(!recording);
  saveRun_->setEnabled(feed_.LastRun() != nullptr && !feed_.Saving());
  if (recording) {
    elapsed_.start();
    state_->setText("Recording " + RunClock(feed_.Elapsed()));
    return;
  }
  elapsed_.stop();
  const auto run = feed_.LastRun();
  if (!run) {
    state_->setText("No run yet");
    return;
  }
  state_->setText(QString("%1 run: %2, %3 readings")
                      .arg(run->interrupted ? "Interrupted" : "Last")
                      .arg(RunClock(run->end - run->start))
                      .arg(run->readings.size()));
}

}  // namespace orvane::panel
