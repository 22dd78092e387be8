#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orvane::panel {

class TRunCompare;
class TRunFeed;

// The run controls of "Signal Trend": the sample name, the run's length
// (none: until stopped), Start Run / Stop Run, the elapsed time while a run
// records and the span of the last run after it, and "Save Run As...".
class TRunBar : public QWidget {
 public:
  static constexpr int kElapsedInterval = 1000;  // ms

  TRunBar(TRunFeed& feed, QWidget* parent);

  QLineEdit& SampleBox() { return *sample_; }
  QSpinBox& LengthBox() { return *length_; }
  QPushButton& RunButton() { return *run_; }
  QPushButton& SaveRunButton() { return *saveRun_; }
  QLabel& StateLabel() { return *state_; }
  QPushButton& OpenRunButton() { return *openRun_; }
  // The comparison window, made on the first "Open Run...".
  TRunCompare& Compare();

 private:
  void RunClick();
  void SaveRunClick();
  void Refresh();

  TRunFeed& feed_;
  QLineEdit* sample_;
  QSpinBox* length_;
  QPushButton* run_;
  QLabel* state_;
  QPushButton* saveRun_;
  QPushButton* openRun_;
  QPointer<TRunCompare> compare_;
  QTimer elapsed_;
};

}  // namespace orvane::panel
