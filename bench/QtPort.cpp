#include <QSerialPort>

#include <cstdio>

#include "BenchPort.h"

namespace orvane::bench {
namespace {

// The baseline: the least a program built on Qt's serial port module does
// to read the instrument, with the same line settings as ours.
class TQtPort : public TBenchPort {
 public:
  TQtPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] {
      const auto start = Clock::now();
      const QByteArray bytes = port_.readAll();
      if (OnData) OnData(start, std::string_view(bytes.constData(), bytes.size()));
    });
  }

  const char* Name() const override { return "Qt"; }

  bool Open(const std::string& device) override {
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(QSerialPort::Baud2400);
    port_.setDataBits(QSerialPort::Data7);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::TwoStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite)) return true;
    std::fprintf(stderr, "Qt: cannot open %s: %s\n", device.c_str(),
                 qPrintable(port_.errorString()));
    return false;
  }
  void Close() override { port_.close(); }
  void Write(const std::string& text) override {
    port_.write(text.data(), static_cast<qint64>(text.size()));
  }

 private:
  QSerialPort port_;
};

}  // namespace

std::unique_ptr<TBenchPort> MakeQtPort() { return std::make_unique<TQtPort>(); }

}  // namespace orvane::bench
