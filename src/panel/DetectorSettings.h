#pragma once

#include "instrument/InstrumentLink.h"
#include "panel/MainControls.h"
#include "runs/RunJournal.h"

namespace orvane::panel {

// The detector's settings as the panel holds them, named for a run's record:
// model, gain, mode, filter, pumps, gases, lamp currents and element.
runs::TSettings DetectorSettings(const TMainControls& controls,
                                 const instrument::InstrumentLink& link);

}  // namespace orvane::panel
