#pragma once

#include <functional>
#include <memory>
#include <string>

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
  // Never waits for a check still running: PAM offers no way to interrupt
  // one, and one that hangs (a directory server out of reach) must not hold
  // up the end of the program. That check ends on its own, or with the
  // process, and its answer goes nowhere.
  ~TLogonCheck() override;

  bool Running() const { return done_ != nullptr; }
  // Starts a check unless one is running (then false, and nothing happens).
  // `done` runs later on the UI thread, inside the error guard; the password
  // is wiped as soon as PAM is done with it.
  bool Start(std::string user, TSecretText password, TDone done);

 private:
  struct TShared;

  Q_INVOKABLE void Deliver();

  std::shared_ptr<TShared> shared_;  // with the worker, which may outlive this
  TDone done_;
};

}  // namespace orvane::app
