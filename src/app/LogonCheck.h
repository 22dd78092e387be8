#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <QObject>

#include "app/AccountCheck.h"

namespace orvane::app {

// Runs ValidateLogon on a thread of its own, so that the UI thread goes on
// with polling, the watchdogs and the signal read-out while PAM takes its
// time. The result comes back to the UI thread through its event queue; the
// worker never touches a widget.
class TLogonCheck : public QObject {
  Q_OBJECT

 public:
  using TDone = std::function<void(const TLogonResult& result)>;

  explicit TLogonCheck(QObject* parent = nullptr);
  // Waits for a check still running: PAM offers no way to interrupt one.
  ~TLogonCheck() override;

  bool Running() const { return worker_.joinable(); }
  // Starts a check unless one is running (then false, and nothing happens).
  // `done` runs later on the UI thread, inside the error guard; the password
  // is wiped as soon as PAM is done with it.
  bool Start(std::string user, TSecretText password, TDone done);

 private:
  Q_INVOKABLE void Deliver();

  std::mutex lock_;
  std::optional<TLogonResult> result_;  // handed over under lock_
  TDone done_;
  std::thread worker_;
};

}  // namespace orvane::app
