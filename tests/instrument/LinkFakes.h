#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "instrument/CommandExchange.h"
#include "instrument/LinkPort.h"
#include "instrument/LinkTimers.h"
#include "instrument/LinkView.h"
#include "instrument/StatusPolling.h"
#include "widgets/TTimer.h"

namespace orvane::instrument::test {

// A port that records what is written and fails where a test tells it to.
class TFakePort : public TLinkPort {
 public:
  bool IsOpen() const override { return open; }
  void Open() override {
    ++opens;
    if (openError) throw std::runtime_error(*openError);
    open = true;
  }
  void Close() override { open = false; }
  void Write(std::string_view bytes) override {
    if (writeFails) throw std::runtime_error("write refused");
    written.emplace_back(bytes);
  }
  bool DSR() const override { return open && dsr; }
  std::uint16_t ComNumber() const override { return comNumber; }
  void SetComNumber(std::uint16_t number) override { comNumber = number; }
  bool DeviceFailed() const override { return open && failed; }
  std::optional<std::string> DevicePath() const override { return devicePath; }

  bool open = false;
  bool dsr = true;
  bool failed = false;
  bool writeFails = false;
  std::optional<std::string> openError;
  std::uint16_t comNumber = 3;
  std::optional<std::string> devicePath;
  int opens = 0;
  std::vector<std::string> written;
};

// Keeps the last thing the link showed on each part of the window.
class TRecordingView : public TLinkView {
 public:
  void ShowSignal(const std::string& text) override { signal = text; }
  void SetLed(TLinkLed led, bool on) override { leds[static_cast<int>(led)] = on; }
  void ShowFilter(int value) override { filter = value; }
  void ShowStatus(TStatusIndicator indicator, bool present) override {
    status[static_cast<int>(indicator)] = present ? "Present" : "Absent";
  }
  void ShowPrimaryReadBack(std::uint8_t position) override { primary = position; }
  void ShowBoostReadBack(std::uint8_t position) override { boost = position; }
  void ModelIdentified() override { ++identified; }
  void SetResetEnabled(bool enabled) override { resetEnabled = enabled; }
  void ShowPowerState(bool active) override { powerActive = active; }
  void RestoreSettings() override { ++restores; }

  bool Led(TLinkLed led) const { return leds[static_cast<int>(led)]; }

  std::string signal;
  bool leds[3] = {false, false, false};
  std::optional<int> filter;
  std::string status[3];
  std::optional<int> primary;
  std::optional<int> boost;
  int identified = 0;
  std::optional<bool> resetEnabled;
  std::optional<bool> powerActive;
  int restores = 0;
};

// The link's timers at the window's intervals.
struct TTestTimers {
  widgets::TTimer activity{nullptr, kActivityInterval};
  widgets::TTimer noResponse{nullptr, kNoResponseInterval};
  widgets::TTimer noDataStream{nullptr, kNoDataStreamInterval};
  widgets::TTimer startup{nullptr, kStartupInterval};
  widgets::TTimer check{nullptr, TStatusPolling::kInterval};
  TLinkTimers Refs() { return {activity, noResponse, noDataStream, startup, check}; }
};

// The exchange on fakes: no port, no window, no clock beyond the timers' state.
struct TExchangeRig {
  InstrumentLink link;
  TFakePort port;
  TRecordingView view;
  TTestTimers timers;
  TCommandExchange exchange{link, port, timers.Refs(), view};

  void Send(const std::string& command) { exchange.Send(command); }
};

}  // namespace orvane::instrument::test
