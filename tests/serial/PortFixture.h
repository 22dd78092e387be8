#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PtyPair.h"
#include "serial/DispatcherOwner.h"
#include "serial/NotifyReceiver.h"
#include "serial/Win32Dispatcher.h"

namespace orvane::serial::test {

// Stands in for the port component: records what reaches the UI thread and
// by default reads every byte an event offers.
class TRecordingOwner : public TApdDispatcherOwner {
 public:
  std::function<void(TApdBaseDispatcher&, std::uint16_t)> OnAvail;
  std::function<void(TApdBaseDispatcher&, std::uint16_t)> OnTimer;
  std::vector<std::uint16_t> AvailCounts;
  std::vector<std::uint16_t> TimerHandles;
  std::string Received;
  int Failures = 0;

  void TriggerAvail(TApdBaseDispatcher& d, std::uint16_t count) override;
  void TriggerTimer(TApdBaseDispatcher& d, std::uint16_t handle) override;
  void HandlerFailed(std::exception_ptr) noexcept override { ++Failures; }
  // Reads up to `n` bytes with GetChar; returns how many it got.
  int ReadSome(TApdBaseDispatcher& d, int n);
};

// Runs the UI thread's event loop until `done` holds or `ms` pass.
bool RunUntil(const std::function<bool()>& done, int ms = 3000);
// Runs the UI thread's event loop for `ms`.
void RunFor(int ms);
// Gives the dispatcher thread time to post a delivery while the UI thread,
// not running its event loop, leaves it unhandled.
void LetADeliveryBePosted();

// An open port on a fresh pty, wired as the component wires it.
class TPortFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TPtyPair Pty;
  TRecordingOwner Owner;
  TApdNotifyReceiver Receiver;
  std::unique_ptr<TApdWin32Dispatcher> Port;
};

}  // namespace orvane::serial::test
