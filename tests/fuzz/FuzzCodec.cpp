// The reply codec against the reference rules: any command, any text.
// Input: a length byte and the command, then the received text.

#include <string>

#include "FuzzSupport.h"
#include "ReplyReference.h"
#include "instrument/Protocol.h"

namespace {

using namespace orvane;

void CheckDecode(std::string_view text, std::string_view command) {
  const auto decoded = protocol::DecodeReplyFrame(text, command);
  const auto expected = fuzz::reference::Decode(text, command);
  fuzz::Require(decoded.has_value() == expected.has_value(), "accepted exactly as the rules say");
  if (!decoded) return;
  fuzz::Require(decoded->signal == expected->signal, "signal as the rules read it");
  fuzz::Require(decoded->kind == expected->kind, "kind as the rules read it");
  fuzz::Require(decoded->value == expected->value, "value as the rules read it");
}

// What the simulator sends must be what the panel reads: an accepted line
// ending in CR comes back from the encoder with its digits in upper case.
void CheckEncodeRoundTrip(std::string_view text, std::string_view command) {
  const auto decoded = protocol::DecodeReplyFrame(text, command);
  if (!decoded || text.back() != protocol::kCarriageReturn) return;
  std::string upper(text);
  for (std::size_t at : {0u, 1u, 2u, 3u, 6u, 7u}) {
    if (upper[at] >= 'a' && upper[at] <= 'f') upper[at] = static_cast<char>(upper[at] - 32);
  }
  fuzz::Require(protocol::EncodeReplyFrame(*decoded) == upper, "encoder writes what was read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::TFuzzInput input(data, size);
  // Views into the fuzzer's own buffer: a read past the text's end is caught.
  const std::string_view command = input.Text(8);
  const std::string_view text = input.Rest();
  CheckDecode(text, command);
  CheckEncodeRoundTrip(text, command);
  fuzz::Require(protocol::ReplyBelongsTo(text, command) == fuzz::reference::Belongs(text, command),
                "associated exactly as the rules say");
  return 0;
}
