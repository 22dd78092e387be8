#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "audit/AuditEvent.h"
#include "runs/RunFiles.h"
#include "runs/RunRecorder.h"

class QWidget;

namespace orvane::panel {

// A run's length as the operator reads it, "1:02:03".
QString RunClock(std::int64_t ms);

// The panel's side of acquisition runs: feeds the recorder every accepted
// reading, records what the audit trail hears as it happens, stops a run
// whose length is up, saves a stopped run beside its journal on a worker and
// finds, at start, the runs a crash left unfinished. The journal's troubles
// are told in a box; the instrument goes on being controlled meanwhile.
class TRunFeed : public QObject {
  Q_OBJECT

 public:
  using TSettingsSource = std::function<runs::TSettings()>;
  using TLinkLost = std::function<bool()>;

  // Where journals and saved runs go: a "runs" folder in the operator's data folder.
  static std::filesystem::path DefaultFolder();

  // Boxes stand on `boxOwner`, the main window when null.
  TRunFeed(std::filesystem::path folder, TSettingsSource settings, TLinkLost linkLost,
           QWidget* boxOwner);
  // A run still recording is stopped and saved.
  ~TRunFeed() override;

  // `minutes` 0 runs until stopped.
  void Start(const QString& sampleName, int minutes);
  void Stop();
  // Every accepted reading, as the trend stamped it: the UI thread's cost of a run.
  void Record(const trend::TReading& reading);
  void RecordEvent(std::string kind, std::string text);
  // An operator's action or a change of the link, recorded while a run is.
  void Hear(const audit::TAuditEvent& event);
  // Closes and saves, off the UI thread, the runs a crash left unfinished,
  // then offers them.
  void Recover();

  bool Recording() const { return recorder_.Recording(); }
  // Milliseconds since the recording run's start.
  std::int64_t Elapsed() const { return recorder_.Now() - recorder_.Current().start; }
  const runs::TRun& Current() const { return recorder_.Current(); }
  // The run stopped last, or the interrupted one found at start.
  std::shared_ptr<const runs::TRun> LastRun() const { return lastRun_; }
  bool Saving() const { return saves_ > 0; }
  // Saves the last run to `file` (.cdf or .csv) on a worker.
  void SaveLastRunAs(const QString& file);

 signals:
  // A run started, stopped or was found; a save began or ended.
  void Changed();

 private:
  void Save(std::function<std::string()> work);
  void ShowError(const QString& text);
  void Offer(const std::vector<runs::TInterrupted>& found);

  runs::TRunRecorder recorder_;
  TSettingsSource settings_;
  TLinkLost linkLost_;
  QWidget* boxOwner_;
  std::filesystem::path stem_;
  std::shared_ptr<const runs::TRun> lastRun_;
  QTimer lengthTimer_;
  int saves_ = 0;
  QList<QPointer<QFutureWatcher<QString>>> watchers_;
  std::future<void> recovering_;
};

}  // namespace orvane::panel
