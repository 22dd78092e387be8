#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

#include "instrument/DeviceWatch.h"
#include "instrument/InstrumentLink.h"
#include "instrument/LinkPort.h"

namespace orvane::instrument {

// Brings a replugged instrument back without the operator. Once a watchdog
// finds the link lost with the port's device gone, it watches the device path
// the port number names; when a usable node appears there it connects once,
// through `reconnect` (Reset's connect and settings).
//
// It runs right away, inside whatever box is open: the operator's warning
// stays up, and the connect's own search box comes and goes over it. It never
// starts while another connect's search is still to be answered, since the
// link then forgets that search box and it would stay open for good; it
// waits until that search is over and looks again.
//
// A node it already connected to once does not count as back: a device that
// fails again while its node stays would otherwise be retried without end.
class TAutoReconnect : public QObject {
  Q_OBJECT

 public:
  TAutoReconnect(InstrumentLink& link, TLinkPort& port, std::function<void()> reconnect,
                 QObject* parent = nullptr);

  // The link was found lost and the port's device failed.
  void DeviceGone();
  bool Watching() const { return watch_.Watching(); }

 private:
  void NodeChanged(const std::optional<TDeviceNode>& node);
  void Queue();
  void Consider();
  bool LinkUp() const;
  bool AwaitSearch();

  InstrumentLink& link_;
  TLinkPort& port_;
  std::function<void()> reconnect_;
  TDeviceWatch watch_;
  std::optional<TDeviceNode> lastTried_;
  QPointer<TLinkSearch> awaited_;
  bool queued_ = false;
};

}  // namespace orvane::instrument
