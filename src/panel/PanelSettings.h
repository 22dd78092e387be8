#pragma once

#include "instrument/InstrumentLink.h"
#include "panel/MainControls.h"

class QWidget;

namespace orvane::config {
class TIniFile;
}
namespace orvane::serial {
class TApdComPort;
}

namespace orvane::panel {

// The operator's settings of the model attached, kept in config.ini between
// runs. Values go through the controls' own setters, so a value that changes
// a control runs its handler as the operator's change would (a gain change
// goes to the instrument at once).
class TPanelSettings {
 public:
  TPanelSettings(const TMainControls& controls, instrument::InstrumentLink& link,
                 serial::TApdComPort& port, QWidget& window);

  // An error from a handler ends the load at that key, the rest keep their
  // design values.
  void Load(const config::TIniFile& ini);
  // A refused write ends the save at that key.
  void Save(config::TIniFile& ini) const;

 private:
  const TMainControls& c_;
  instrument::InstrumentLink& link_;
  serial::TApdComPort& port_;
  QWidget& window_;
};

}  // namespace orvane::panel
