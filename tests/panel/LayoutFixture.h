#pragma once

#include <QWidget>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "panel/MainLayout.h"

namespace orvane::panel::test {

using widgets::test::At;
using widgets::test::Render;

// The layout on a client area of the full model-B size.
class Layout : public ::testing::Test {
 protected:
  Layout() {
    client.resize(666, 368);
    c = BuildMainLayout(client);
  }

  QWidget client;
  TMainControls c;
};

}  // namespace orvane::panel::test
