#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <QWidget>

#include "config/ConfigPath.h"
#include "config/IniFile.h"
#include "serial/ApdComPort.h"

class QLabel;

namespace orvane::widgets {
class TTimer;
}

namespace orvane::app {

// The start-up window: a picture and "Loading..." while it asks the
// instrument on its own serial port which model it is ("?I") and records
// the answer and the port in config.ini. It is done once tmMainTimer is
// disabled: by a valid answer, by the port's 36-tick check finding the
// instrument present or the operator cancelling the port question, or by
// tmMainTimer's own tick 3000 ms after the entry enabled it. Destroying it
// closes its port.
class TSplashForm : public QWidget {
  Q_OBJECT

 public:
  explicit TSplashForm(std::filesystem::path iniPath = config::ConfigIniPath(),
                       QWidget* parent = nullptr);
  ~TSplashForm() override;

  bool Done() const;

  QLabel* Image1;
  QLabel* Label1;
  widgets::TTimer* tmMainTimer;
  serial::TApdComPort ApdComPort1;

 private:
  void BuildLayout();
  void FormCreate();
  void TryFirstPorts();
  void Identify();
  void FormDestroy();
  void tmMainTimerTimer();
  void ApdComPort1TriggerAvail(std::uint16_t count);
  void TakeLine();
  void RecordModel(const std::string& hexDigits);
  void ApdComPort1TriggerTimer(std::uint16_t handle);
  void AskForPort();
  void Query(int times);

  std::filesystem::path iniPath_;
  std::unique_ptr<config::TIniFile> FIniFile;
  std::string PortString;
  std::uint16_t fTriggerHandle = 0;
};

// Shows the splash with tmMainTimer enabled and runs the event loop, the
// splash's port events and dialogs included, until the splash is done. The
// loop sleeps between events and is woken by the timer being disabled. True
// when the splash is done; false when the application was told to quit
// meanwhile.
bool RunSplash(TSplashForm& splash);

}  // namespace orvane::app
