#pragma once

#include <QLabel>
#include <QPointer>

class QFrame;
class QGroupBox;
class QTableWidget;
class QWidget;

namespace orvane::widgets {
class TButton;
class TCheckBox;
class TGauge;
class TRadioGroup;
class TSpinEdit;
class TTrackBar;
class TVrPowerButton;
class TVrUserLed;
class TantMovablePanel;
}  // namespace orvane::widgets

namespace orvane::panel {

namespace w = orvane::widgets;

// Every control of the main window, by the name the handlers use. The window
// owns them through Qt's parent chain; these are plain pointers into it.
struct TMainControls {
  // Status row, placed on the client area.
  QLabel* Label15 = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label17 = nullptr;
  w::TVrUserLed* ActiveLed = nullptr;
  w::TVrUserLed* ReplyLed = nullptr;
  w::TVrUserLed* StreamLed = nullptr;
  w::TButton* btnLock = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Signal = nullptr;
  w::TCheckBox* cbKeepOnTop = nullptr;
  QFrame* pnlGainMode = nullptr;
  w::TRadioGroup* rgGain = nullptr;
  w::TRadioGroup* rgMode = nullptr;
  w::TVrPowerButton* VrPowerButton = nullptr;

  // Pumps.
  QGroupBox* gbPumps = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  w::TTrackBar* tbPump1 = nullptr;
  w::TTrackBar* tbPump2 = nullptr;

  // Gases and filter.
  QGroupBox* gbGases = nullptr;
  w::TButton* btnSetFilter = nullptr;
  QLabel* Label19 = nullptr;
  w::TButton* BtnWakeInstrument = nullptr;
  w::TRadioGroup* rgAnalysisGas = nullptr;
  w::TRadioGroup* rgDryerGas = nullptr;
  QLabel* pnlGas1Stat = nullptr;
  QLabel* pnlGas2Stat = nullptr;
  w::TSpinEdit* speFilter = nullptr;

  // Lamp.
  QGroupBox* gbLamp = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  w::TGauge* PrimaryGauge = nullptr;
  w::TGauge* BoostGauge = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* lblFlameStat = nullptr;
  w::TTrackBar* tbPrimary = nullptr;
  w::TTrackBar* tbBoost = nullptr;
  w::TButton* BtnSetCurrent = nullptr;
  w::TRadioGroup* rgElements = nullptr;

  // The sliding lamp operating-conditions panel.
  w::TantMovablePanel* OptionsPanel = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label14 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
};

}  // namespace orvane::panel
