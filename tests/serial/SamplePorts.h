#pragma once

#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "FakeSysfs.h"
#include "serial/ComSelectForm.h"

namespace orvane::serial::test {

// Three ports on a sysfs tree and device folder of the test's own: COM3 a
// free motherboard port, COM17 an FTDI adapter held by another program and
// COM33 a modem-class board the account may not open.
class TSamplePorts {
 public:
  TSamplePorts();

  TComSelectForm::Probe Probe() const;
  TComSelectForm::Describe Describe() const;
  QString Described(unsigned number, TPortPresence presence) const;

 private:
  QTemporaryDir temp_;
  std::filesystem::path root_;
  TFakeSysfs sys_;
  std::map<unsigned, std::pair<std::string, TPortPresence>> ports_;
};

}  // namespace orvane::serial::test
