// The exchange's reply handling fed arbitrary bytes in arbitrary chunks,
// with arbitrary commands current and the link lost and found again, beside
// a model of the exchange built on the reference rules.
// Input: instructions, each an opcode byte and its operand:
//   0 + length + command   the command is sent
//   1                      a watchdog declares the link lost
//   2                      the link is connected again
//   3..7 + length + bytes  bytes arrive in one event

#include <QCoreApplication>
#include <cmath>
#include <string>
#include <utility>

#include "FuzzSupport.h"
#include "LinkFakes.h"
#include "ReplyReference.h"

namespace {

using namespace orvane;
using fuzz::reference::TReply;
using instrument::TReplyBuffer;

// The exchange as the rules describe it, its buffer unbounded.
struct TExchangeModel {
  std::string command = "!B00";
  std::string buffer;
  bool matched = false;
  bool lost = false;

  // Each line is judged when its CR arrives; the last reply accepted in
  // the event is the one left on show.
  std::optional<TReply> Receive(std::string_view bytes) {
    if (lost) {
      buffer.clear();
      return std::nullopt;
    }
    std::optional<TReply> shown;
    while (!bytes.empty()) {
      const std::size_t end = bytes.find('\r');
      buffer.append(bytes.substr(0, end == std::string_view::npos ? end : end + 1));
      if (end == std::string_view::npos) break;
      bytes.remove_prefix(end + 1);
      if (auto reply = Judge(std::exchange(buffer, {}))) shown = reply;
    }
    return shown;
  }

  std::optional<TReply> Judge(const std::string& line) {
    if (!matched && !fuzz::reference::Belongs(line, command)) return std::nullopt;
    matched = true;
    return fuzz::reference::Decode(line, command);
  }
};

struct TRun {
  instrument::test::TExchangeRig rig;
  TExchangeModel model;

  void Send(std::string_view command) {
    model.command = command;
    model.matched = false;
    rig.Send(std::string(command));
  }

  void LoseLink() {
    rig.link.CommsLost = model.lost = true;
    rig.link.ReplyMatched = model.matched = false;
  }

  void Connect() {
    rig.link.CommsLost = model.lost = false;
    rig.link.ReplyMatched = model.matched = false;
    rig.link.ReplyBuffer.Clear();
    model.buffer.clear();
  }

  void Receive(std::string_view bytes) {
    rig.view.signal.clear();
    rig.exchange.Receive(bytes);
    const auto expected = model.Receive(bytes);
    CheckBuffer();
    fuzz::Require(rig.link.ReplyMatched == model.matched, "association made when the rules say");
    fuzz::Require(!rig.view.signal.empty() == expected.has_value(),
                  "a reply accepted exactly when the rules accept it");
    if (expected) CheckAccepted(*expected);
  }

  // Endless noise must not grow memory, and what is kept is the start.
  void CheckBuffer() const {
    const std::string_view kept = rig.link.ReplyBuffer.Text();
    fuzz::Require(kept.size() <= TReplyBuffer::kCapacity, "the reply buffer keeps to its cap");
    fuzz::Require(kept == std::string_view(model.buffer).substr(0, TReplyBuffer::kCapacity),
                  "the reply buffer holds the first characters received");
  }

  void CheckAccepted(const TReply& reply) const {
    fuzz::Require(std::abs(rig.link.SignalValue - reply.signal / 10.0) < 1e-9,
                  "the signal is the reply's count / 10");
    fuzz::Require(rig.link.ReplyValue == reply.value, "the value is the reply's value");
    fuzz::Require(rig.view.Led(instrument::TLinkLed::Reply), "an accepted reply lights SD");
    fuzz::Require(!rig.timers.noResponse.Enabled(), "an accepted reply stops the watchdog");
  }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // The exchange's timers are Qt timers; they are armed here, never run.
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::TFuzzInput input(data, size);
  TRun run;
  while (!input.Empty()) {
    switch (input.Byte() % 8) {
      case 0:
        run.Send(input.Text(6));
        break;
      case 1:
        run.LoseLink();
        break;
      case 2:
        run.Connect();
        break;
      default:
        run.Receive(input.Text());
        break;
    }
  }
  return 0;
}
