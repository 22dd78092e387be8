#pragma once

#include <array>
#include <bitset>
#include <string>

#include "config/IniFile.h"
#include "instrument/InstrumentLink.h"
#include "panel/MainControls.h"

class QWidget;

namespace orvane::serial {
class TApdComPort;
}

namespace orvane::panel {

// What a save writes: the model's section and its keys in the order written.
// No section (no model known) means nothing to write.
struct TSavedSettings {
  std::string section;
  config::TProfileEntries entries;

  bool operator==(const TSavedSettings&) const = default;
};

// The operator's settings of the model attached, kept in config.ini between
// runs. Values go through the controls' own setters, so a value that changes
// a control runs its handler as the operator's change would (a gain change
// goes to the instrument at once).
class TPanelSettings {
 public:
  TPanelSettings(const TMainControls& controls, instrument::InstrumentLink& link,
                 serial::TApdComPort& port, QWidget& window);

  // An error from a handler ends the load at that key; the rest keep their
  // defaults on screen, and their values in the file until the
  // operator changes them: saving the defaults would lose settings the
  // panel never showed.
  void Load(const config::TIniFile& ini);
  // What Save would write now.
  TSavedSettings ToSave();
  // One replacement of the file: a refused write leaves it as it was.
  void Save(config::TIniFile& ini);
  static void Write(config::TIniFile& ini, const TSavedSettings& settings);

 private:
  enum TKey : std::size_t {
    kComPort,
    kGain,
    kMode,
    kKeepOnTop,
    kPump1,
    kPump2,
    kDryerGas,
    kAnalysisGas,
    kLampType,
    kKeyCount
  };
  using TValues = std::array<int, kKeyCount>;

  bool Loads(TKey key) const;
  bool Saves(TKey key) const;
  void Apply(TKey key, int value);
  int Value(TKey key) const;
  TValues Values() const;

  const TMainControls& c_;
  instrument::InstrumentLink& link_;
  serial::TApdComPort& port_;
  QWidget& window_;
  // Keys the load did not reach, in the section it read, and what their
  // controls held when it ended; a control that has moved since is saved.
  std::string loadedSection_;
  std::bitset<kKeyCount> unapplied_;
  TValues afterLoad_{};
};

}  // namespace orvane::panel
