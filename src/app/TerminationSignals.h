#pragma once

#include <QObject>

class QSocketNotifier;

namespace orvane::app {

// SIGTERM, SIGINT and SIGHUP (a session that ends, a shutdown, a terminal
// closed) end the program the ordinary way: the event loop quits, and the
// main window's destruction saves the settings and closes the port. Nobody
// is there to answer a question, so none is asked. A second signal of the
// same kind ends the program at once.
class TTerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TTerminationSignals(QObject* parent = nullptr);
  ~TTerminationSignals() override;

 private:
  void Received();

  QSocketNotifier* notifier_;
};

}  // namespace orvane::app
