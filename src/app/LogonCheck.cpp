#include "app/LogonCheck.h"

#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "widgets/TErrorGuard.h"

namespace orvane::app {

// The answer is handed over under the lock, and posted only while its
// receiver is there: the receiver's destructor clears `owner` under the same
// lock, before Qt drops the events posted to it.
struct TLogonCheck::TShared {
  std::mutex lock;
  TLogonCheck* owner = nullptr;
  std::optional<TLogonResult> result;
};

TLogonCheck::TLogonCheck(QObject* parent) : QObject(parent), shared_(std::make_shared<TShared>()) {
  shared_->owner = this;
}

TLogonCheck::~TLogonCheck() {
  std::lock_guard guard(shared_->lock);
  shared_->owner = nullptr;
}

bool TLogonCheck::Start(std::string user, TSecretText password, TDone done) {
  if (Running()) return false;
  std::thread([shared = shared_, user = std::move(user), password = std::move(password)]() mutable {
    TLogonResult result;
    try {
      result = ValidateLogon(user, password);
    } catch (const std::exception& error) {
      result = {false, error.what()};
    }
    password.Wipe();
    std::lock_guard guard(shared->lock);
    if (shared->owner == nullptr) return;
    shared->result = std::move(result);
    QMetaObject::invokeMethod(shared->owner, "Deliver", Qt::QueuedConnection);
  }).detach();
  // Set once the thread exists; its answer is queued to this thread, so it
  // cannot come before.
  done_ = std::move(done);
  return true;
}

void TLogonCheck::Deliver() {
  std::optional<TLogonResult> result;
  {
    std::lock_guard guard(shared_->lock);
    result.swap(shared_->result);
  }
  TDone done = std::exchange(done_, nullptr);
  widgets::TErrorGuard::Run([&] { done(*result); });
}

}  // namespace orvane::app
