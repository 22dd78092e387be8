#include "instrument/AutoReconnect.h"

#include <QTimer>

#include "widgets/TErrorGuard.h"

namespace orvane::instrument {

TAutoReconnect::TAutoReconnect(InstrumentLink& link, TLinkPort& port,
                               std::function<void()> reconnect, QObject* parent)
    : QObject(parent),
      link_(link),
      port_(port),
      reconnect_(std::move(reconnect)),
      watch_([this](const std::optional<TDeviceNode>& node) { NodeChanged(node); }) {}

void TAutoReconnect::DeviceGone() {
  const std::optional<std::string> path = port_.DevicePath();
  if (!path || !watch_.Watch(*path)) return;
  NodeChanged(watch_.Node());
}

void TAutoReconnect::NodeChanged(const std::optional<TDeviceNode>& node) {
  if (node && node != lastTried_) Queue();
}

// Never inside the watch's own event, and once however many changes come
// before it runs.
void TAutoReconnect::Queue() {
  if (queued_) return;
  queued_ = true;
  QTimer::singleShot(0, this, [this] {
    queued_ = false;
    Consider();
  });
}

// Looks again at the moment of acting: the device may have gone again, the
// operator may have chosen another port, or another connect (Reset, a
// watchdog's) may have brought the link back meanwhile.
void TAutoReconnect::Consider() {
  const std::optional<TDeviceNode> node = watch_.Node();
  if (!watch_.Watching() || !node || node == lastTried_) return;
  if (port_.DevicePath() != watch_.Path().string() || LinkUp()) {
    watch_.Stop();
    return;
  }
  if (AwaitSearch()) return;
  lastTried_ = node;
  watch_.Stop();
  widgets::TErrorGuard::Run(reconnect_);
}

bool TAutoReconnect::LinkUp() const {
  return !link_.CommsLost && port_.IsOpen() && !port_.DeviceFailed();
}

// A search box already ended (by the answer or a watchdog) goes as soon as
// the boxes over it do. One still waiting, or one its connect shows only
// after asking for a port, needs the link's pointer to it, which a connect
// of ours would take over.
bool TAutoReconnect::AwaitSearch() {
  TLinkSearch* search = link_.SearchDialog;
  if (search == nullptr || search->Finished()) return false;
  if (awaited_ != search) {
    awaited_ = search;
    connect(search, &TLinkSearch::Ended, this, &TAutoReconnect::Queue, Qt::QueuedConnection);
    connect(search, &QObject::destroyed, this, &TAutoReconnect::Queue, Qt::QueuedConnection);
  }
  return true;
}

}  // namespace orvane::instrument
