#include "PanelRig.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <fstream>

#include "serial/ComSelectForm.h"
#include "widgets/TErrorGuard.h"
#include "widgets/TMessageDlg.h"
#include "widgets/TVrPowerButton.h"

namespace orvane::panel::test {

using serial::TComSelectForm;

void PanelRig::SetUp() {
  TPortMapFixture::SetUp();
  // The window looks for unfinished runs in the data folder: never the
  // operator's own.
  QStandardPaths::setTestModeEnabled(true);
  widgets::TMessageDlg::SetScript([this](const widgets::TMessageRequest& request) {
    boxes.push_back(request.text);
    return widgets::mrOk;
  });
  widgets::TErrorGuard::SetRecorder([this](const QString& message) { errors.push_back(message); });
  TComSelectForm::SetScript([this](TComSelectForm& form) {
    ++portDialogs;
    if (portChoice == 0) return TComSelectForm::mrAbort;
    form.PortsComboBox()->setCurrentText(QString("COM%1").arg(portChoice));
    return TComSelectForm::mrOk;
  });
}

void PanelRig::TearDown() {
  window.reset();
  sim.reset();
  widgets::TMessageDlg::SetScript({});
  TComSelectForm::SetScript({});
  TPortMapFixture::TearDown();
}

void PanelRig::StartSim(char model, int baud) {
  sim = std::make_unique<SimProcess>(std::vector<std::string>{
      "--model", std::string(1, model), "--link", LinkPath(), "--baud", std::to_string(baud)});
  MapPorts({{3, LinkPath()}});
}

void PanelRig::OpenWindow(std::uint16_t comNumber) {
  window = std::make_unique<TPY_ORVANEFrm>(Dir / "config.ini");
  if (comNumber != 0) window->Port().SetComNumber(comNumber);
  window->show();
}

// Checks every 10 ms on a timer, so the loop sleeps in between. A check may
// run inside a modal box's own loop; the answer then waits for that box.
void PanelRig::AppendConfig(const std::string& lines) {
  std::ofstream(Dir / "config.ini", std::ios::app) << lines;
}

bool PanelRig::RunUntil(const std::function<bool()>& done, int ms) {
  if (done()) return true;
  QEventLoop loop;
  QElapsedTimer clock;
  clock.start();
  bool met = false;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    met = met || done();
    if (met || clock.elapsed() >= ms) loop.quit();
  });
  check.start(10);
  loop.exec();
  return met;
}

void PanelRig::RunFor(int ms) {
  RunUntil([] { return false; }, ms);
}

bool PanelRig::WaitReceived(std::size_t count, int ms) {
  return RunUntil([&] { return sim->Received().size() >= count; }, ms);
}

bool PanelRig::WaitConnected(int ms) {
  return RunUntil(
      [this] { return !Link().SearchDialog && C().VrPowerButton->Caption() == "OFF"; }, ms);
}

bool PanelRig::WaitStartSettled(int ms) {
  if (!Link().IsModelB()) return true;
  return RunUntil(
      [this] {
        const std::vector<std::string> sent = Received();
        return std::any_of(sent.begin(), sent.end(),
                           [](const std::string& c) { return c.starts_with("!M"); });
      },
      ms);
}

void PanelRig::Control(const std::string& line) { ASSERT_TRUE(sim->Control(line)) << line; }

long PanelRig::ReceivedAt(std::size_t index) {
  std::size_t seen = 0;
  for (const std::string& line : sim->LogSoFar()) {
    if (!line.starts_with("RX ")) continue;
    if (seen++ == index) return std::stol(line.substr(3));
  }
  return -1;
}

}  // namespace orvane::panel::test
