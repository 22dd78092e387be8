#pragma once

#include "XServer.h"

namespace orvane::app::test {

// One display for every whole-program test of the process, made when first
// needed (not when ctest only lists the tests).
inline orvane::test::TXServer& ProgramDesktop() {
  static orvane::test::TXServer server;
  return server;
}

}  // namespace orvane::app::test
