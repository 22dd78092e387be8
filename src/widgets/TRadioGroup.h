#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

#include "widgets/TNotifyEvent.h"

class QGridLayout;
class QRadioButton;

namespace orvane::widgets {

// A captioned group of radio buttons in columns with one selected item, or
// none (-1). OnClick runs whenever the selected item changes, whether the
// operator or the code changed it, and never otherwise. Tab enters the group
// at its selected item (the first enabled one when none is, or the selected
// one is disabled); the arrow keys move inside it.
class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  void SetItems(const QStringList& items);
  int Count() const { return static_cast<int>(buttons_.size()); }
  // Items fill the columns top to bottom, then left to right.
  void SetColumns(int columns);
  int Columns() const { return columns_; }

  int ItemIndex() const { return itemIndex_; }
  // Values outside -1 .. Count() - 1 are clamped.
  void SetItemIndex(int index);

  // A disabled item cannot be chosen by the operator; code still can.
  void SetItemEnabled(int index, bool enabled);
  bool ItemEnabled(int index) const;
  QRadioButton* Button(int index) const;

  void SetTag(int tag) { tag_ = tag; }
  int Tag() const { return tag_; }
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }

 private:
  void Arrange();
  void ShowIndex();
  void KeepTabStop();
  void OperatorToggled(int index, bool checked);

  QGridLayout* grid_;
  QButtonGroup group_;
  QList<QRadioButton*> buttons_;
  int columns_ = 1;
  int itemIndex_ = -1;
  int tag_ = 0;
  bool showing_ = false;
  TNotifyEvent onClick_;
};

}  // namespace orvane::widgets
