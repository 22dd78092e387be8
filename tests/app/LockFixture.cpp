#include "LockFixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <QAccessible>
#include <QIcon>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "app/UnlockDialog.h"

namespace orvane::app::test {
namespace {

bool WrapperLoaded() {
  std::ifstream maps("/proc/self/maps");
  const std::string loaded{std::istreambuf_iterator<char>(maps), {}};
  return loaded.find("libpam_wrapper") != std::string::npos &&
         qEnvironmentVariable("PAM_WRAPPER") == "1" &&
         !qEnvironmentVariableIsEmpty("PAM_WRAPPER_SERVICE_DIR");
}

template <class Control>
Control* Inside(QWidget* group, Control* control) {
  (new QVBoxLayout(group))->addWidget(control);
  control->setFocusPolicy(Qt::StrongFocus);
  return control;
}

}  // namespace

void PamFixture::SetUp() {
  ASSERT_TRUE(WrapperLoaded()) << "run through ctest: PAM must go to pam_wrapper";
  widgets::TMessageDlg::SetScript([this](const widgets::TMessageRequest& request) {
    messages_.push_back(request);
    return widgets::mrOk;
  });
}

void PamFixture::TearDown() {
  widgets::TMessageDlg::SetScript({});
  TUnlockDialog::SetScript({});
}

void PamFixture::WriteAccounts(const std::vector<std::string>& lines) {
  std::ofstream passdb(std::getenv("PAM_MATRIX_PASSWD"), std::ios::trunc);
  for (const std::string& line : lines) passdb << line << '\n';
}

std::string PamFixture::Me() { return CurrentUserName(); }

LockFixture::LockFixture()
    : pnlGainMode(new QFrame(&window)),
      gbPumps(new QGroupBox("Pumps", &window)),
      gbGases(new QGroupBox("Gases", &window)),
      gbLamp(new QGroupBox("Lamp", &window)),
      powerButton(Inside(pnlGainMode, new QPushButton("Power"))),
      tbPump1(Inside(gbPumps, new QSlider(Qt::Horizontal))),
      btnSetFilter(Inside(gbGases, new QPushButton("Set filter"))),
      elementPreset(Inside(gbLamp, new QCheckBox("As"))),
      cbKeepOnTop(new QCheckBox("Keep On Top", &window)),
      lampTableScroll(new QSlider(Qt::Horizontal, &window)),
      btnLock(new widgets::TButton(&window)),
      lock(pnlGainMode, gbPumps, gbGases, gbLamp, btnLock, panelLocked) {
  auto* layout = new QVBoxLayout(&window);
  for (QWidget* piece : std::initializer_list<QWidget*>{btnLock, cbKeepOnTop, pnlGainMode, gbPumps,
                                                        gbGases, gbLamp, lampTableScroll}) {
    layout->addWidget(piece);
  }
}

void LockFixture::SetUp() {
  PamFixture::SetUp();
  WriteAccounts({Me() + ":right:login"});
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void LockFixture::AnswerDialogs(const char* password, int result) {
  TUnlockDialog::SetScript([this, password, result](TUnlockDialog& dialog) {
    ++dialogs;
    EXPECT_EQ(dialog.UserName().toStdString(), Me());
    if (!nameWritten.isEmpty()) {
      QAccessibleInterface* name = QAccessible::queryAccessibleInterface(dialog.UserNameEdit());
      name->editableTextInterface()->replaceText(0, name->textInterface()->characterCount(),
                                                 nameWritten);
    }
    dialog.PasswordEdit()->setText(password);
    return result;
  });
}

std::optional<bool> LockFixture::Unlock(const char* password) {
  AnswerDialogs(password, widgets::mrOk);
  QSignalSpy answered(&lock, &TApplicationLock::CheckFinished);
  btnLock->click();
  if (answered.isEmpty() && !answered.wait(10000)) return std::nullopt;
  return answered.front().front().toBool();
}

bool LockFixture::ShowsPadlock(const char* picture) const {
  const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
  return image(btnLock->icon()) == image(QIcon(picture));
}

}  // namespace orvane::app::test
