#pragma once

#include <QRect>
#include <QString>

#include "widgets/TNotifyEvent.h"
#include "widgets/TVrColor.h"
#include "widgets/TVrCustomImageControl.h"
#include "widgets/TVrPalette.h"
#include "widgets/VrTypes.h"

namespace orvane::widgets {

// A push button carrying a small lamp and a caption. Each completed click
// toggles Active first and then raises OnClick, so the handler reads the new
// state; setting Active from code never raises OnClick. Assistive tools see a
// checkable button, checked while Active, named by the caption and described
// by the tooltip.
class TVrPowerButton : public TVrCustomImageControl {
  Q_OBJECT

 public:
  explicit TVrPowerButton(QWidget* parent = nullptr);

  bool Active() const { return active_; }
  void SetActive(bool active);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // The caption as drawn and as read out: "&&" shows one ampersand, a single
  // one marks the accelerator and is not drawn.
  QString DrawnCaption() const;
  // What a completed mouse click does, handler error box included.
  void Click();

  int LedWidth() const { return ledWidth_; }
  void SetLedWidth(int width) { StoreLayout(ledWidth_, width); }
  int LedHeight() const { return ledHeight_; }
  void SetLedHeight(int height) { StoreLayout(ledHeight_, height); }
  TVrImageTextLayout Layout() const { return layout_; }
  void SetLayout(TVrImageTextLayout layout) { StoreLayout(layout_, layout); }
  // -1 centres the lamp and caption together.
  int Margin() const { return margin_; }
  void SetMargin(int margin) { StoreLayout(margin_, margin); }
  // -1 spreads lamp, caption and margins evenly.
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing) { StoreLayout(spacing_, spacing); }

  TVrPalette& Palette() { return palette_; }
  void SetPalette(const TVrPalette& palette) { palette_.Assign(palette); }
  void SetFocusColor(TVrColor color) { Store(focusColor_, color); }
  void SetOutlineColor(TVrColor color) { Store(outlineColor_, color); }
  void SetHighlightColor(TVrColor color) { Store(highlightColor_, color); }
  void SetShadowColor(TVrColor color) { Store(shadowColor_, color); }
  void SetColor(TVrColor color) { Store(color_, color); }
  // Frame widths take part in the layout, so a change lays out again.
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width) { StoreLayout(bevelWidth_, width); }
  int OutlineWidth() const { return outlineWidth_; }
  void SetOutlineWidth(int width) { StoreLayout(outlineWidth_, width); }

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);

  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }

  // Results of the layout, in the button's own coordinates.
  QRect ImageRect() const { return imageRect_; }
  QRect TextBounds() const { return textBounds_; }
  bool Down() const { return down_; }
  bool Pressed() const { return pressed_; }

 protected:
  void Paint(QPainter& canvas) override;
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  template <typename T>
  void StoreLayout(T& field, const T& value) {
    if (field == value) return;
    field = value;
    AdjustLayout();
  }
  void AdjustLayout();
  void SetPressed(bool pressed);
  void ToggleAndClick();
  void RaiseClick();
  void UpdateAccelerator();
  void PaintFrame(QPainter& canvas);
  void PaintLamp(QPainter& canvas);
  void PaintCaption(QPainter& canvas);

  bool active_ = false;
  QString caption_;
  int ledWidth_ = 12;
  int ledHeight_ = 12;
  TVrImageTextLayout layout_ = TVrImageTextLayout::ImageLeft;
  int margin_ = -1;
  int spacing_ = 5;
  TVrPalette palette_;
  TVrColor focusColor_ = kBlue;
  TVrColor outlineColor_ = kBlack;
  int outlineWidth_ = 1;
  TVrColor highlightColor_ = kBtnHighlight;
  TVrColor shadowColor_ = kBtnShadow;
  int bevelWidth_ = 2;
  TVrColor color_ = kBtnFace;
  bool tabStop_ = false;
  TNotifyEvent onClick_;

  bool focused_ = false;
  bool down_ = false;
  bool pressed_ = false;
  bool spaceDown_ = false;
  int acceleratorId_ = 0;
  QRect imageRect_;
  QRect textBounds_;
};

}  // namespace orvane::widgets
