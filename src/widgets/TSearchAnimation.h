#pragma once

#include <QWidget>

#include "widgets/TTimer.h"

namespace orvane::widgets {

// A looping picture of a search in progress: a magnifying glass circling over
// an open folder of papers, 80 x 50 pixels. It runs only while it is on the
// screen: showing starts it from the first frame, hiding (the window's too, or
// minimising it) stops it, so an idle program is never woken by it.
class TSearchAnimation : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 80;
  static constexpr int kHeight = 50;
  static constexpr int kFrameCount = 30;
  static constexpr int kFrameInterval = 50;  // milliseconds

  explicit TSearchAnimation(QWidget* parent = nullptr);

  // Plays from frame 0. Does nothing while already playing or while off the
  // screen, where showing starts it.
  void Start();
  // Holds the current frame.
  void Stop();
  bool Active() const { return timer_.Enabled(); }
  int Frame() const { return frame_; }

 protected:
  // One frame on, as the timer runs it.
  void Tick();
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  TTimer timer_;
  int frame_ = 0;
  bool onScreen_ = false;
};

}  // namespace orvane::widgets
