#include "instrument/ReplyBuffer.h"

namespace orvane::instrument {

void TReplyBuffer::Append(std::string_view bytes) {
  for (char c : bytes) seen_.set(static_cast<unsigned char>(c));
  const std::size_t room = kCapacity - std::min(kCapacity, text_.size());
  text_.append(bytes.substr(0, room));
}

void TReplyBuffer::Clear() {
  text_.clear();
  seen_.reset();
}

}  // namespace orvane::instrument
