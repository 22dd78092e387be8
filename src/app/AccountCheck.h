#pragma once

#include <stdexcept>
#include <string>

#include "app/SecretText.h"

namespace orvane::app {

// A failing system call; what() is "System Error.  Code: <errno>.\r\n<text>".
class ESystemError : public std::runtime_error {
 public:
  explicit ESystemError(int errorCode);
  const int ErrorCode;
};

// The name of the account the program runs under (the effective user).
std::string CurrentUserName();

struct TLogonResult {
  bool Success = false;
  std::string Message;  // empty on success
};

inline constexpr const char* kEmptyUserText = "Please enter a login.";
inline constexpr const char* kEmptyPasswordText =
    "Password cant be empty. You must enter a password.";

// Asks PAM whether `user` may log on with `password`: service "login" first,
// then "other", each authenticating and then checking the account. Blocks for
// as long as PAM takes (seconds after a wrong password), so it belongs on a
// worker thread. Never logs or keeps the password.
TLogonResult ValidateLogon(const std::string& user, const TSecretText& password);

}  // namespace orvane::app
