#pragma once

#include <gtest/gtest.h>

#include "PortMapFixture.h"
#include "PtyPair.h"
#include "serial/ApdComPort.h"
#include "serial/ComSelectForm.h"

namespace orvane::serial::test {

// The settings both windows store for their port.
inline void ConfigureAsTheWindowsDo(TApdComPort& port) {
  port.AutoOpen = false;
  port.RTS = false;
}

// A port component set up as the windows set theirs, with COM3 and COM10
// mapped to two ptys and every other number to a path that does not exist.
class TComPortFixture : public TPortMapFixture {
 protected:
  void SetUp() override {
    TPortMapFixture::SetUp();
    MapPorts({{3, PtyA.SlavePath()}, {10, PtyB.SlavePath()}});
    ConfigureAsTheWindowsDo(Port);
  }
  void TearDown() override {
    TComSelectForm::SetScript(nullptr);
    TPortMapFixture::TearDown();
  }

  void OpenOn(std::uint16_t number) {
    Port.SetComNumber(number);
    Port.SetOpen(true);
    ASSERT_TRUE(Port.Open());
  }

  TPtyPair PtyA;
  TPtyPair PtyB;
  TApdComPort Port;
};

}  // namespace orvane::serial::test
