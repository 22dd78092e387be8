#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PortMapFixture.h"
#include "SimProcess.h"
#include "panel/PY_ORVANEFrm.h"

namespace orvane::panel::test {

// The main window against orvane-sim on a pty that COM3 maps to. Every box
// the window shows is recorded and answered at once (OK, or the answer the
// test set); the port dialog is cancelled unless the test says otherwise.
class PanelRig : public serial::test::TPortMapFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // At the instrument's own line speed: faster, two answers can reach the
  // panel in one read, and run together they are both refused.
  void StartSim(char model, int baud = 2400);
  // The window takes its settings from the test's config.ini; a port number
  // other than 0 then replaces the one it loaded.
  void OpenWindow(std::uint16_t comNumber = 3);
  // Adds lines to the test's config.ini, after its [Ports] section.
  void AppendConfig(const std::string& lines);
  // Commands the instrument received, in order.
  std::vector<std::string> Received() { return sim->Received(); }
  // Runs the event loop until `done` holds; false after `ms`.
  static bool RunUntil(const std::function<bool()>& done, int ms);
  static void RunFor(int ms);
  bool WaitReceived(std::size_t count, int ms);
  // Connected: the search is over and the answer has lit the power button.
  bool WaitConnected(int ms = 10000);
  // Model B's identify reply sets the lamp, whose boost follows five seconds
  // later: waits until it went, so that it cannot cross what a test does.
  bool WaitStartSettled(int ms = 7000);
  void Control(const std::string& line);
  // Milliseconds on the simulator's clock at which it received the n-th command.
  long ReceivedAt(std::size_t index);

  std::string LinkPath() const { return (Dir / "link").string(); }
  const TMainControls& C() const { return window->Controls(); }
  instrument::InstrumentLink& Link() { return window->Link(); }

  std::unique_ptr<SimProcess> sim;
  std::unique_ptr<TPY_ORVANEFrm> window;
  std::vector<QString> boxes;
  std::vector<QString> errors;
  int portDialogs = 0;
  // The port the dialog chooses; 0 cancels it.
  unsigned portChoice = 0;
};

}  // namespace orvane::panel::test
