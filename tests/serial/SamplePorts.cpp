#include "SamplePorts.h"

#include <fstream>

namespace orvane::serial::test {
namespace fs = std::filesystem;

TSamplePorts::TSamplePorts()
    : root_(fs::canonical(temp_.path().toStdString())), sys_(root_ / "sys") {
  sys_.AddPlatformSerial("ttyS2");
  sys_.AddUsbSerial("ttyUSB0", "1-2",
                    {{"idVendor", "0403"},
                     {"idProduct", "6001"},
                     {"manufacturer", "FTDI"},
                     {"product", "FT232R USB UART"},
                     {"serial", "A6008isP"}});
  sys_.AddUsbAcm("ttyACM0", "1-3",
                 {{"idVendor", "2341"},
                  {"idProduct", "0043"},
                  {"manufacturer", "Arduino (www.arduino.cc)"},
                  {"product", "Uno R3"}});
  const fs::path dev = root_ / "dev";
  fs::create_directories(dev);
  ports_ = {{3, {(dev / "ttyS2").string(), TPortPresence::Free}},
            {17, {(dev / "ttyUSB0").string(), TPortPresence::InUse}},
            {33, {(dev / "ttyACM0").string(), TPortPresence::NoPermission}}};
  for (const auto& [number, port] : ports_) std::ofstream(port.first);
}

TComSelectForm::Probe TSamplePorts::Probe() const {
  return [this](unsigned n) {
    return ports_.contains(n) ? ports_.at(n).second : TPortPresence::Absent;
  };
}

TComSelectForm::Describe TSamplePorts::Describe() const {
  return [this](unsigned n, TPortPresence presence) { return Described(n, presence); };
}

QString TSamplePorts::Described(unsigned number, TPortPresence presence) const {
  return QString::fromStdString(DescribePort(ports_.at(number).first, presence, sys_.Root()));
}

}  // namespace orvane::serial::test
