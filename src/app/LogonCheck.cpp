#include "app/LogonCheck.h"

#include <exception>
#include <utility>

#include "widgets/TErrorGuard.h"

namespace orvane::app {

TLogonCheck::TLogonCheck(QObject* parent) : QObject(parent) {}

TLogonCheck::~TLogonCheck() {
  // Its delivery, if already posted, goes with this object.
  if (worker_.joinable()) worker_.join();
}

bool TLogonCheck::Start(std::string user, TSecretText password, TDone done) {
  if (Running()) return false;
  done_ = std::move(done);
  worker_ = std::thread([this, user = std::move(user), password = std::move(password)]() mutable {
    TLogonResult result;
    try {
      result = ValidateLogon(user, password);
    } catch (const std::exception& error) {
      result = {false, error.what()};
    }
    password.Wipe();
    {
      std::lock_guard guard(lock_);
      result_ = std::move(result);
    }
    QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
  });
  return true;
}

void TLogonCheck::Deliver() {
  std::optional<TLogonResult> result;
  {
    std::lock_guard guard(lock_);
    result.swap(result_);
  }
  // The worker posted this as its last act; the join only sees it out.
  worker_.join();
  TDone done = std::exchange(done_, nullptr);
  widgets::TErrorGuard::Run([&] { done(*result); });
}

}  // namespace orvane::app
