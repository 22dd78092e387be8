#pragma once

#include <QTimer>

#include <filesystem>
#include <future>

#include "panel/MainControls.h"
#include "panel/PanelSettings.h"

namespace orvane::panel {

// Writes a changed setting to config.ini within about a second, so that a
// panel that never reaches its destruction (the display gone, the process
// killed, the power cut) loses no more than that. A change is written once
// it has held for a whole check and no pump slider is held down, so a drag
// is one write however long it takes. The writing runs on a thread of its
// own: the file's replace and its sync never hold up the panel. (A thread of
// Qt's pool would keep an event descriptor open for half a minute after.)
class TSettingsAutosave {
 public:
  static constexpr int kInterval = 500;  // ms between checks

  TSettingsAutosave(TPanelSettings& settings, const TMainControls& controls,
                    std::filesystem::path file);
  ~TSettingsAutosave();
  TSettingsAutosave(const TSettingsAutosave&) = delete;
  TSettingsAutosave& operator=(const TSettingsAutosave&) = delete;

  // What the settings hold now counts as written; changes from here on are.
  void Start();
  // No further writes; returns once a write under way is done.
  void Stop();

 private:
  void Check();
  bool Dragging() const;

  TPanelSettings& settings_;
  const TMainControls& c_;
  std::filesystem::path file_;
  QTimer timer_;
  std::future<void> writing_;
  TSavedSettings seen_;
  TSavedSettings written_;
};

}  // namespace orvane::panel
