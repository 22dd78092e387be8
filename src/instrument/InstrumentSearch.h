#pragma once

#include <QDialog>

class QLabel;

namespace orvane::widgets {
class TSearchAnimation;
}

namespace orvane::instrument {

// The modal "Searching For Instrument...." box shown while the identify query
// is out. Nothing on it answers the operator: only the program ends it.
class TInstrumentSearch : public QDialog {
  Q_OBJECT

 public:
  explicit TInstrumentSearch(QWidget* parent);

  // Waits until Finish; returns at once if Finish came first.
  void ShowModal();
  // Hides the box and ends its wait.
  void Finish();
  bool Finished() const { return finished_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override {}

 private:
  QLabel* searching_;
  widgets::TSearchAnimation* animation_;
  bool finished_ = false;
};

}  // namespace orvane::instrument
