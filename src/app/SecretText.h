#pragma once

#include <cstddef>
#include <vector>

class QString;

namespace orvane::app {

// Overwrites memory in a way the optimiser may not drop as a dead store.
void WipeBytes(void* data, std::size_t size) noexcept;

// A password on its way to the account check, as NUL-terminated UTF-8. Its
// bytes are wiped when it is wiped, reassigned or destroyed; a move hands the
// buffer over without leaving a copy behind.
class TSecretText {
 public:
  TSecretText() = default;
  // Takes the text and overwrites the caller's characters in place with NUL
  // characters. A text still shared with another QString cannot be reached
  // that way: clear the other holder (the edit field) first.
  static TSecretText TakeFrom(QString& text);

  TSecretText(TSecretText&& other) noexcept = default;
  TSecretText& operator=(TSecretText&& other) noexcept;
  TSecretText(const TSecretText&) = delete;
  TSecretText& operator=(const TSecretText&) = delete;
  ~TSecretText() { Wipe(); }

  const char* CStr() const { return bytes_.empty() ? "" : bytes_.data(); }
  bool Empty() const { return CStr()[0] == '\0'; }
  // Zeroes every byte; the storage itself stays until destruction.
  void Wipe() noexcept;

 private:
  std::vector<char> bytes_;
};

}  // namespace orvane::app
