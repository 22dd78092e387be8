#include "app/AccountCheck.h"

#include <pwd.h>
#include <security/pam_appl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orvane::app {
namespace {

std::string SystemErrorText(int errorCode) {
  char text[256];
  // The GNU strerror_r, which may return a static text instead of filling ours.
  const char* described = strerror_r(errorCode, text, sizeof text);
  char message[400];
  std::snprintf(message, sizeof message, "System Error.  Code: %d.\r\n%s", errorCode, described);
  return message;
}

void FreeResponses(pam_response* responses, int count) {
  for (int i = 0; i < count; ++i) {
    if (responses[i].resp == nullptr) continue;
    WipeBytes(responses[i].resp, std::strlen(responses[i].resp));
    std::free(responses[i].resp);
  }
  std::free(responses);
}

// Answers every hidden prompt with the password. A visible prompt gets no
// answer: whatever it asks for, the password must not be echoed for it.
// PAM owns the answers once given and frees them; Linux-PAM's own modules
// wipe them first, and pam_end wipes the copy PAM keeps as its item.
int Converse(int count, const pam_message** messages, pam_response** answers, void* data) {
  if (count <= 0) return PAM_CONV_ERR;
  auto* responses = static_cast<pam_response*>(std::calloc(count, sizeof(pam_response)));
  if (responses == nullptr) return PAM_BUF_ERR;
  const auto* password = static_cast<const TSecretText*>(data);
  for (int i = 0; i < count; ++i) {
    const int style = messages[i]->msg_style;
    if (style == PAM_PROMPT_ECHO_ON) {
      FreeResponses(responses, count);
      return PAM_CONV_ERR;
    }
    if (style != PAM_PROMPT_ECHO_OFF) continue;
    responses[i].resp = strdup(password->CStr());
    if (responses[i].resp == nullptr) {
      FreeResponses(responses, count);
      return PAM_BUF_ERR;
    }
  }
  *answers = responses;
  return PAM_SUCCESS;
}

// One logon attempt through `service`; the text is pam_strerror's.
TLogonResult Attempt(const char* service, const std::string& user, const TSecretText& password) {
  const pam_conv conversation = {Converse, const_cast<TSecretText*>(&password)};
  pam_handle_t* handle = nullptr;
  constexpr int kFlags = PAM_SILENT | PAM_DISALLOW_NULL_AUTHTOK;
  int status = pam_start(service, user.c_str(), &conversation, &handle);
  if (status == PAM_SUCCESS) status = pam_authenticate(handle, kFlags);
  if (status == PAM_SUCCESS) status = pam_acct_mgmt(handle, kFlags);
  TLogonResult result{status == PAM_SUCCESS, {}};
  if (!result.Success) result.Message = pam_strerror(handle, status);
  if (handle != nullptr) pam_end(handle, status);
  return result;
}

}  // namespace

ESystemError::ESystemError(int errorCode)
    : std::runtime_error(SystemErrorText(errorCode)), ErrorCode(errorCode) {}

// The reentrant lookup: a PAM module on the check's thread may be looking an
// account up at the same moment.
std::string CurrentUserName() {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  const int error = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
  // An account with no entry at all is no error to the library; it is to us.
  if (found == nullptr) throw ESystemError(error != 0 ? error : ENOENT);
  return entry.pw_name;
}

TLogonResult ValidateLogon(const std::string& user, const TSecretText& password) {
  if (user.empty()) return {false, kEmptyUserText};
  if (password.Empty()) return {false, kEmptyPasswordText};
  if (Attempt("login", user, password).Success) return {true, {}};
  return Attempt("other", user, password);
}

}  // namespace orvane::app
