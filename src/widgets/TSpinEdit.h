#pragma once

#include <QSpinBox>
#include <QString>

#include "widgets/TNotifyEvent.h"

namespace orvane::widgets {

// A number box that keeps its value within its range, even while the
// operator types (a typed 99 in a 1..64 box becomes 64), and reads text that
// is not a number (an empty box) as its minimum. OnChange runs whenever the
// text changes, from the operator or from code. Its arrows repeat after
// 400 ms, then every 100 ms. While disabled (its group locked) it takes no
// value or text from outside the code.
class TSpinEdit : public QSpinBox {
  Q_OBJECT

 public:
  explicit TSpinEdit(QWidget* parent = nullptr);

  int Value() const { return valueFromText(cleanText()); }
  // Clamped to the range.
  void SetValue(int value);
  int MinValue() const { return minimum(); }
  int MaxValue() const { return maximum(); }
  void SetRange(int min, int max);
  void SetMaxLength(int length);

  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  int valueFromText(const QString& text) const override;

 private:
  void OperatorEdited();

  QString lastText_;
  bool changingFromCode_ = false;
  TNotifyEvent onChange_;
};

}  // namespace orvane::widgets
