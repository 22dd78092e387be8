#include "InstanceChild.h"

#include <unistd.h>

#include <cstdio>
#include <string_view>

#include <QApplication>
#include <QWidget>

#include "app/SingleInstance.h"

namespace orvane::app::test {

int RunInstanceChild(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string_view mode = argv[2];
  TSingleInstance instance;
  if (mode == "handover") {
    if (!instance.AnotherCopyRuns()) return kFirstCopy;
    instance.HandOver();
    return 0;
  }
  if (mode == "hold") {
    QWidget window;
    window.show();
    instance.Listen(window);
    std::puts("held");
    std::fflush(stdout);
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
  }
  return instance.AnotherCopyRuns() ? kSecondCopy : kFirstCopy;
}

}  // namespace orvane::app::test
