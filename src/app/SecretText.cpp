#include "app/SecretText.h"

#include <cstring>
#include <utility>

#include <QByteArray>
#include <QString>

namespace orvane::app {

void WipeBytes(void* data, std::size_t size) noexcept {
  if (size != 0) explicit_bzero(data, size);
}

TSecretText TSecretText::TakeFrom(QString& text) {
  TSecretText secret;
  QByteArray utf8 = text.toUtf8();
  // Reserved first, so that no reallocation leaves a copy behind unwiped.
  secret.bytes_.reserve(static_cast<std::size_t>(utf8.size()) + 1);
  secret.bytes_.assign(utf8.cbegin(), utf8.cend());
  secret.bytes_.push_back('\0');
  WipeBytes(utf8.data(), static_cast<std::size_t>(utf8.size()));
  // data() on a text nobody else holds is the caller's own buffer.
  WipeBytes(text.data(), static_cast<std::size_t>(text.size()) * sizeof(QChar));
  return secret;
}

TSecretText& TSecretText::operator=(TSecretText&& other) noexcept {
  if (this != &other) {
    Wipe();
    bytes_ = std::move(other.bytes_);
  }
  return *this;
}

void TSecretText::Wipe() noexcept { WipeBytes(bytes_.data(), bytes_.size()); }

}  // namespace orvane::app
