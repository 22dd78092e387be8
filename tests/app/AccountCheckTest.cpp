#include <security/pam_appl.h>

#include <cerrno>
#include <cstring>

#include <QString>

#include "LockFixture.h"
#include "app/AccountCheck.h"

namespace orvane::app::test {
namespace {

TSecretText Secret(const char* text) {
  QString typed = QString::fromUtf8(text);
  return TSecretText::TakeFrom(typed);
}

TEST(SecretText, TakingWipesTheTypedTextAndWipingClearsEveryByte) {
  QString typed = QString::fromUtf8("gr\xC3\xBCn-42");
  const QChar* typedChars = typed.constData();
  TSecretText secret = TSecretText::TakeFrom(typed);
  ASSERT_EQ(typed.constData(), typedChars);  // overwritten in place, not replaced
  for (qsizetype i = 0; i < typed.size(); ++i) EXPECT_EQ(typedChars[i], QChar(0));

  TSecretText moved = std::move(secret);
  EXPECT_TRUE(secret.Empty());
  const char* bytes = moved.CStr();
  EXPECT_STREQ(bytes, "gr\xC3\xBCn-42");
  const std::size_t length = std::strlen(bytes);
  moved.Wipe();
  for (std::size_t i = 0; i < length; ++i) EXPECT_EQ(bytes[i], '\0');
}

TEST(SystemError, MessageCarriesTheCodeAndTheSystemsText) {
  EXPECT_EQ(std::string(ESystemError(EACCES).what()),
            "System Error.  Code: " + std::to_string(EACCES) + ".\r\n" + std::strerror(EACCES));
}

using ValidateLogonTest = PamFixture;

// The accounts would let the empty names and passwords in, were PAM asked.
TEST_F(ValidateLogonTest, EmptyFieldsAreRefusedBeforePamIsAsked) {
  WriteAccounts({":x:login", Me() + "::login"});
  EXPECT_EQ(ValidateLogon("", Secret("x")).Message, "Please enter a login.");
  const TLogonResult noPassword = ValidateLogon(Me(), Secret(""));
  EXPECT_FALSE(noPassword.Success);
  EXPECT_EQ(noPassword.Message, "Password cant be empty. You must enter a password.");
}

TEST_F(ValidateLogonTest, EitherServiceMayAcceptAndARefusalIsInPamsWords) {
  WriteAccounts({"ana:s3cret:login", "netonly:s3cret:other", "nowhere:s3cret:ftp"});
  const TLogonResult interactive = ValidateLogon("ana", Secret("s3cret"));
  EXPECT_TRUE(interactive.Success);
  EXPECT_EQ(interactive.Message, "");
  EXPECT_TRUE(ValidateLogon("netonly", Secret("s3cret")).Success);
  EXPECT_EQ(ValidateLogon("nowhere", Secret("s3cret")).Message,
            pam_strerror(nullptr, PAM_PERM_DENIED));
  const TLogonResult wrong = ValidateLogon("ana", Secret("s3cret!"));
  EXPECT_FALSE(wrong.Success);
  EXPECT_EQ(wrong.Message, pam_strerror(nullptr, PAM_AUTH_ERR));
}

}  // namespace
}  // namespace orvane::app::test
