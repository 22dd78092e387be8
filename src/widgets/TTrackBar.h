#pragma once

#include <set>
#include <vector>

#include <QSlider>

#include "widgets/TNotifyEvent.h"

class QStyleOptionSlider;

namespace orvane::widgets {

// A horizontal slider with tick marks only where they are set (plus both
// ends of the range) and a selection range drawn in its channel. OnChange
// runs on every change of position, from the operator or from code. While
// disabled (its group locked) it takes no position from outside the code.
// Its hint says what the position means ("50%", "24.1 ma"): assistive tools
// read it as the description beside the raw position and hear each new one.
class TTrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TTrackBar(QWidget* parent = nullptr);

  int Position() const { return value(); }
  // Clamped to the range.
  void SetPosition(int position);
  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  // Brings the position inside the new range, with OnChange if it moved.
  void SetRange(int min, int max);
  void SetPageSize(int size) { setPageStep(size); }
  void SetLineSize(int size) { setSingleStep(size); }

  // Positions outside the range get no tick.
  void SetTick(int position);
  void ClearTicks();
  // Every tick shown, both ends included, in ascending order.
  std::vector<int> Ticks() const;
  int TickCount() const { return static_cast<int>(Ticks().size()); }

  int SelStart() const { return selStart_; }
  void SetSelStart(int position);
  int SelEnd() const { return selEnd_; }
  void SetSelEnd(int position);

  void SetTag(int tag) { tag_ = tag; }
  int Tag() const { return tag_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void initStyleOption(QStyleOptionSlider* option) const override;

 private:
  template <typename Change>
  void ChangeFromCode(Change change);
  void OperatorChanged();
  int CentreOf(const QStyleOptionSlider& option, int position) const;
  void PaintSelection(QPainter& canvas, const QStyleOptionSlider& option) const;
  void PaintTicks(QPainter& canvas, const QStyleOptionSlider& option) const;

  std::set<int> ticks_;
  int selStart_ = 0;
  int selEnd_ = 0;
  int tag_ = 0;
  bool changingFromCode_ = false;
  int accepted_ = 0;  // the position last taken, to go back to when refused
  TNotifyEvent onChange_;
};

}  // namespace orvane::widgets
