#pragma once

#include <QDialog>

class QLabel;

namespace orvane::instrument {
class TLinkSearch;
}

namespace orvane::widgets {
class TSearchAnimation;
}

namespace orvane::panel {

// The modal "Searching For Instrument...." box: shows a search of the link
// until the search is finished. Nothing on it answers the operator: only the
// program ends it.
class TInstrumentSearch : public QDialog {
  Q_OBJECT

 public:
  TInstrumentSearch(instrument::TLinkSearch& search, QWidget* parent);

  // Waits until the search is finished; returns at once if it already is.
  void ShowModal();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override {}

 private:
  instrument::TLinkSearch& search_;
  QLabel* searching_;
  widgets::TSearchAnimation* animation_;
};

}  // namespace orvane::panel
