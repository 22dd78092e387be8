#include "panel/RunFeed.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

#include "widgets/TDialogOwner.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel {
namespace {

constexpr const char* kGoesOn =
    "\nThe run goes on in memory, and the panel goes on controlling the instrument.";

QString Described(const runs::TInterrupted& found) {
  const runs::TRun& run = found.run;
  QString text = QString("The run \"%1\" started %2 was interrupted after %3 with %4 readings.")
                     .arg(QString::fromStdString(run.sampleName),
                          QDateTime::fromMSecsSinceEpoch(run.start).toString("yyyy-MM-dd hh:mm:ss"),
                          RunClock(run.end - run.start))
                     .arg(run.readings.size());
  std::filesystem::path stem = found.journal;
  stem.replace_extension();
  if (!found.error.empty()) return text + "\n" + QString::fromStdString(found.error);
  return text +
         QString("\nIt is saved as %1.cdf and .csv.").arg(QString::fromStdString(stem.string()));
}

}  // namespace

QString RunClock(std::int64_t ms) {
  const std::int64_t seconds = ms / 1000;
  return QString("%1:%2:%3")
      .arg(seconds / 3600)
      .arg(seconds / 60 % 60, 2, 10, QChar('0'))
      .arg(seconds % 60, 2, 10, QChar('0'));
}

std::filesystem::path TRunFeed::DefaultFolder() {
  return std::filesystem::path(
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()) /
         "runs";
}

TRunFeed::TRunFeed(std::filesystem::path folder, TSettingsSource settings, TLinkLost linkLost,
                   QWidget* boxOwner)
    : recorder_(std::move(folder), trend::SteadyWallClock(),
                [guard = QPointer<TRunFeed>(this)](const std::string& message) {
                  QMetaObject::invokeMethod(
                      QCoreApplication::instance(),
                      [guard, text = QString::fromStdString(message)] {
                        if (guard) guard->ShowError(text + kGoesOn);
                      },
                      Qt::QueuedConnection);
                }),
      settings_(std::move(settings)),
      linkLost_(std::move(linkLost)),
      boxOwner_(boxOwner) {
  lengthTimer_.setSingleShot(true);
  connect(&lengthTimer_, &QTimer::timeout, this,
          [this] { widgets::TErrorGuard::Run([this] { Stop(); }); });
}

TRunFeed::~TRunFeed() {
  if (auto stopped = recorder_.Stop()) {
    stopped->journal.reset();
    runs::SaveRun(stopped->run, stem_);
  }
  for (const auto& watcher : watchers_) {
    if (watcher) watcher->waitForFinished();
  }
}

void TRunFeed::Start(const QString& sampleName, int minutes) {
  Stop();
  stem_ = recorder_.Start(sampleName.toStdString(), settings_()).replace_extension();
  if (linkLost_()) RecordEvent("lost", "the link was lost at the start");
  if (minutes > 0) lengthTimer_.start(minutes * 60 * 1000);
  emit Changed();
}

// The journal's end and the files are left to a worker: its last sync and a
// day's run are not the operator's wait.
void TRunFeed::Stop() {
  lengthTimer_.stop();
  auto stopped = recorder_.Stop();
  if (!stopped) return;
  auto journal = std::shared_ptr<runs::TJournalWriter>(std::move(stopped->journal));
  lastRun_ = std::make_shared<const runs::TRun>(std::move(stopped->run));
  Save([journal, run = lastRun_, stem = stem_]() mutable {
    journal.reset();
    return runs::SaveRun(*run, stem);
  });
}

void TRunFeed::Record(const trend::TReading& reading) {
  if (recorder_.Recording()) recorder_.Record(reading);
}

void TRunFeed::RecordEvent(std::string kind, std::string text) {
  recorder_.RecordEvent(std::move(kind), std::move(text));
}

void TRunFeed::Hear(const audit::TAuditEvent& event) {
  if (recorder_.Recording()) RecordEvent(event.Event, audit::AuditMessage(event));
}

void TRunFeed::SaveLastRunAs(const QString& file) {
  if (!lastRun_) return;
  Save([run = lastRun_, path = file.toStdString()] { return runs::SaveRunAs(*run, path); });
}

void TRunFeed::Save(std::function<std::string()> work) {
  auto* watcher = new QFutureWatcher<QString>(this);
  ++saves_;
  connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher] {
    --saves_;
    watchers_.removeAll(watcher);
    watcher->deleteLater();
    emit Changed();
    if (const QString error = watcher->result(); !error.isEmpty()) ShowError(error);
  });
  watchers_.append(watcher);
  watcher->setFuture(
      QtConcurrent::run([work = std::move(work)] { return QString::fromStdString(work()); }));
  emit Changed();
}

void TRunFeed::ShowError(const QString& text) {
  widgets::TErrorGuard::Run(
      [&] { widgets::TMessageDlg::Error(widgets::TDialogOwner::For(boxOwner_), text); });
}

// A thread of its own rather than one of Qt's pool, which would keep an event
// descriptor open for half a minute after.
void TRunFeed::Recover() {
  recovering_ = std::async(std::launch::async,
                           [folder = recorder_.Folder(), guard = QPointer<TRunFeed>(this)] {
                             QMetaObject::invokeMethod(
                                 QCoreApplication::instance(),
                                 [guard, found = runs::RecoverInterrupted(folder)] {
                                   if (guard)
                                     widgets::TErrorGuard::Run([&] { guard->Offer(found); });
                                 },
                                 Qt::QueuedConnection);
                           });
}

void TRunFeed::Offer(const std::vector<runs::TInterrupted>& found) {
  if (found.empty()) return;
  lastRun_ = std::make_shared<const runs::TRun>(found.back().run);
  emit Changed();
  QStringList texts;
  for (const runs::TInterrupted& run : found) texts << Described(run);
  texts << "\"Save Run As...\" in Signal Trend saves the last of them elsewhere.";
  widgets::TMessageDlg::Information(widgets::TDialogOwner::For(boxOwner_), "Interrupted Run",
                                    texts.join("\n\n"));
}

}  // namespace orvane::panel
