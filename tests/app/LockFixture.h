#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include "app/ApplicationLock.h"
#include "widgets/TButton.h"
#include "widgets/TMessageDlg.h"

namespace orvane::app::test {

// Every PAM call goes to pam_wrapper with our own services and the accounts
// written here for pam_matrix. Run without the wrapper, PAM would ask about
// the real account, so the fixture fails at once. Message boxes are recorded.
class PamFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // passdb lines "user:password:service"; pam_matrix's account check lets the
  // user in through that service only.
  static void WriteAccounts(const std::vector<std::string>& lines);
  static std::string Me();

  std::vector<widgets::TMessageRequest> messages_;
};

// The pieces of the main window the lock works on, shown: a control taking
// input in each group, and two outside them that must keep working. The
// account logged on has the password "right" through "login".
class LockFixture : public PamFixture {
 protected:
  LockFixture();
  void SetUp() override;

  std::array<QWidget*, 4> Groups() const { return {pnlGainMode, gbPumps, gbGases, gbLamp}; }
  // Every unlock dialog answers `result` with `password` typed, after
  // `nameWritten`, if any, was written over the greyed account name as an
  // assistive tool can.
  void AnswerDialogs(const char* password, int result);
  // A click on the padlock answered with OK; the check's verdict, if any came.
  std::optional<bool> Unlock(const char* password);
  bool ShowsPadlock(const char* picture) const;

  QWidget window;
  QFrame* pnlGainMode;
  QGroupBox* gbPumps;
  QGroupBox* gbGases;
  QGroupBox* gbLamp;
  QPushButton* powerButton;
  QSlider* tbPump1;
  QPushButton* btnSetFilter;
  QCheckBox* elementPreset;
  QCheckBox* cbKeepOnTop;
  QSlider* lampTableScroll;
  widgets::TButton* btnLock;
  bool panelLocked = false;
  TApplicationLock lock;
  int dialogs = 0;
  QString nameWritten;
};

}  // namespace orvane::app::test
