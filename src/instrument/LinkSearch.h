#pragma once

#include <QObject>

namespace orvane::instrument {

// One connect's wait for the instrument's answer to the identify query, shown
// to the operator as the search box. The connect that starts it owns it, and
// the link points at it through a guarded pointer while it waits: the
// watchdog or the answer that ends it may come after it is gone, and it may
// be gone before them.
class TLinkSearch : public QObject {
  Q_OBJECT

 public:
  // Ends the wait; the first call tells `Ended`.
  void Finish();
  bool Finished() const { return finished_; }

 signals:
  void Ended();

 private:
  bool finished_ = false;
};

}  // namespace orvane::instrument
