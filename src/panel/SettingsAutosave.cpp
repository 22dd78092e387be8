#include "panel/SettingsAutosave.h"

#include <chrono>

#include "widgets/TErrorGuard.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {

TSettingsAutosave::TSettingsAutosave(TPanelSettings& settings, const TMainControls& controls,
                                     std::filesystem::path file)
    : settings_(settings), c_(controls), file_(std::move(file)) {
  QObject::connect(&timer_, &QTimer::timeout, &timer_,
                   [this] { widgets::TErrorGuard::Run([this] { Check(); }); });
}

TSettingsAutosave::~TSettingsAutosave() { Stop(); }

void TSettingsAutosave::Start() {
  written_ = seen_ = settings_.ToSave();
  timer_.start(kInterval);
}

void TSettingsAutosave::Stop() {
  timer_.stop();
  if (writing_.valid()) writing_.wait();
}

bool TSettingsAutosave::Dragging() const {
  return c_.tbPump1->isSliderDown() || c_.tbPump2->isSliderDown();
}

// A write still under way when the next change has settled is followed by
// that one at a later check, never overtaken by it.
void TSettingsAutosave::Check() {
  TSavedSettings now = settings_.ToSave();
  const bool settled = now == seen_ && !Dragging();
  seen_ = now;
  const bool writing =
      writing_.valid() && writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
  if (!settled || now == written_ || writing) return;
  written_ = std::move(now);
  writing_ = std::async(std::launch::async, [file = file_, settings = written_] {
    try {
      config::TIniFile ini(file);
      TPanelSettings::Write(ini, settings);
    } catch (const std::exception&) {
      // A refused write is reported by the save at the end of the session:
      // a box each second would bury the panel.
    }
  });
}

}  // namespace orvane::panel
