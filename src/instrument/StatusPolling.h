#pragma once

#include <string>

#include "instrument/CommandExchange.h"

namespace orvane::instrument {

// One query per tick of the check timer: the filter once, then the gases,
// and on model B the lamp read-backs and the flame, round and round. Every
// reply also refreshes the signal, so this is what keeps the reading live.
class TStatusPolling {
 public:
  static constexpr int kInterval = 600;  // ms

  TStatusPolling(InstrumentLink& link, TCommandExchange& exchange, widgets::TTimer& check);

  // The check timer's tick.
  void CheckTimerTimer();

 private:
  std::string NextQuery();

  InstrumentLink& link_;
  TCommandExchange& exchange_;
  widgets::TTimer& check_;
};

}  // namespace orvane::instrument
