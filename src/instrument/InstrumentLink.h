#pragma once

#include <cstdint>
#include <string>

#include <QPointer>

#include "instrument/InstrumentModel.h"
#include "instrument/LinkSearch.h"
#include "instrument/ReplyBuffer.h"

namespace orvane::instrument {

// The one record of link state shared by the exchange, the polling, the
// supervision and the window's handlers. It lives as long as the main window
// and is touched only on the UI thread, so it needs no lock.
struct InstrumentLink {
  std::string CurrentCommand = "!B00";
  TReplyBuffer ReplyBuffer;
  std::uint8_t GainCode = 0x80;
  std::uint8_t ModeCode = 0x30;
  int PollStep = 0;
  double SignalValue = 0;
  std::uint8_t ReplyValue = 0;
  std::string InstrumentModel;
  // The search the search box shows while a connect waits for the answer.
  QPointer<TLinkSearch> SearchDialog;
  bool CommsLost = false;
  bool ReplyMatched = false;
  bool EnforceWindowSize = true;
  bool ForcePortSelect = false;
  bool DataReceived = false;
  bool IdleRequested = false;
  bool PanelLocked = false;
  // The instrument may have lost the panel's settings: a watchdog found it
  // gone (switched off, unplugged, silent) or a send found DSR down, and they
  // have not yet gone out again to an instrument that answers. Its readings
  // are then not trusted.
  bool SettingsLost = false;

  bool IsModelB() const { return InstrumentModel == kModelB; }
};

}  // namespace orvane::instrument
