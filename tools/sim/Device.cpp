#include "Device.h"

#include <poll.h>

#include "Command.h"
#include "Escapes.h"
#include "serial/LineText.h"

namespace orvane::sim {
namespace {

constexpr std::size_t kMaxLineLength = 64;
constexpr auto kProcessingDelay = std::chrono::milliseconds(20);
// Longer than the panel's 55 ms delivery tick, so the halves arrive apart.
constexpr auto kSplitPause = std::chrono::milliseconds(80);

}  // namespace

Device::Device(const Options& options, const EventLog& log, TimePoint start)
    : log_(log),
      lines_(protocol::kCarriageReturn, '\n', kMaxLineLength),
      instrument_(options.model, options.seed, start),
      transmitter_(options.baud),
      delay_(kProcessingDelay) {
  if (!options.linkPath.empty()) link_.emplace(options.linkPath);
  Plug();
}

Device::~Device() { Unplug(); }

void Device::Plug() {
  pty_ = std::make_unique<Pty>();
  pty_->SetDsr(dsr_);
  if (link_) link_->PointTo(pty_->SlavePath());
}

// The link goes with the pty: left behind it would name a pts number the
// system may hand to someone else's terminal.
void Device::Unplug() {
  if (!pty_) return;
  if (link_) link_->RemoveIfPointingTo(pty_->SlavePath());
  pty_.reset();
  transmitter_.Clear();
}

void Device::OnPollEvents(short revents, TimePoint now) {
  if (!pty_) return;
  std::string bytes = pty_->Read();
  if (bytes.empty() && (revents & (POLLHUP | POLLERR))) {
    log_.Write("ERR", "pty hung up; unplugged", now);
    Unplug();
    return;
  }
  for (const ReceivedLine& line : lines_.Feed(bytes)) OnLine(line, now);
}

void Device::OnLine(const ReceivedLine& line, TimePoint now) {
  log_.Write("RX", serial::EscapeLineBytes(line.text) + (line.overlong ? " [overlong]" : ""), now);
  if (!powered_ || line.overlong) return;
  std::optional<Command> command = ParseCommand(line.text);
  if (!command) return;
  if (silenced_ > 0) {
    --silenced_;
    return;
  }
  if (auto frame = instrument_.Execute(*command, now)) Answer(*frame, now);
}

void Device::Answer(const protocol::ReplyFrame& frame, TimePoint now) {
  const std::string text = protocol::EncodeReplyFrame(frame);
  std::string_view rest = text;
  TimePoint due = now + delay_;
  if (split_) {
    std::size_t half = text.size() / 2;
    transmitter_.Queue(rest.substr(0, half), due);
    due = transmitter_.LineFreeAt() + kSplitPause;
    rest.remove_prefix(half);
  }
  transmitter_.Queue(rest, due, serial::EscapeLineBytes(text));
}

void Device::SendDue(TimePoint now) {
  Transmitter::Batch batch = transmitter_.TakeDue(now);
  if (pty_ && !batch.bytes.empty()) pty_->Write(batch.bytes);
  for (const std::string& reply : batch.done) log_.Write("TX", reply, now);
}

// Switching on starts from the instrument's power-up settings.
void Device::SetPower(bool on, TimePoint now) {
  if (on && !powered_) instrument_.SwitchOn(now);
  powered_ = on;
  if (!on) transmitter_.Clear();
  SetDsr(on);
}

void Device::SetDsr(bool asserted) {
  dsr_ = asserted;
  if (pty_) pty_->SetDsr(asserted);
}

}  // namespace orvane::sim
