#pragma once

#include <functional>

#include "instrument/LinkView.h"
#include "panel/MainControls.h"

namespace orvane::panel {

class TSettingsHandlers;

// Shows on the window's controls what the link reports.
class TPanelLinkView : public instrument::TLinkView {
 public:
  TPanelLinkView(const TMainControls& controls, TSettingsHandlers& settings,
                 std::function<void()> modelIdentified);

  void ShowSignal(const std::string& text) override;
  void SetLed(instrument::TLinkLed led, bool on) override;
  void ShowFilter(int filter) override;
  void ShowStatus(instrument::TStatusIndicator indicator, bool present) override;
  void ShowPrimaryReadBack(std::uint8_t position) override;
  void ShowBoostReadBack(std::uint8_t position) override;
  void ModelIdentified() override { modelIdentified_(); }
  void SetResetEnabled(bool enabled) override;
  void ShowPowerState(bool active) override;
  void RestoreSettings() override;

 private:
  const TMainControls& c_;
  TSettingsHandlers& settings_;
  std::function<void()> modelIdentified_;
};

}  // namespace orvane::panel
