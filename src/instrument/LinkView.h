#pragma once

#include <cstdint>
#include <string>

namespace orvane::instrument {

enum class TLinkLed { Active, Reply, Stream };
enum class TStatusIndicator { Gas1, Gas2, Flame };

// What the link shows and asks of the window. The window decides how: the
// link decides only what and when.
class TLinkView {
 public:
  virtual ~TLinkView() = default;

  virtual void ShowSignal(const std::string& text) = 0;
  virtual void SetLed(TLinkLed led, bool on) = 0;
  virtual void ShowFilter(int filter) = 0;
  virtual void ShowStatus(TStatusIndicator indicator, bool present) = 0;
  virtual void ShowPrimaryReadBack(std::uint8_t position) = 0;
  virtual void ShowBoostReadBack(std::uint8_t position) = 0;
  // The identify reply has just set InstrumentModel.
  virtual void ModelIdentified() = 0;

  virtual void SetResetEnabled(bool enabled) = 0;
  // Active: the instrument runs and the next press idles it ("OFF").
  virtual void ShowPowerState(bool active) = 0;
  // Everything an instrument switched off and on again has forgotten: dryer
  // gas, analysis gas, pump 1 and pump 2, in that order, then the gain and
  // mode, the filter, and on model B the lamp currents.
  virtual void RestoreSettings() = 0;
};

}  // namespace orvane::instrument
