#include "widgets/TVrPowerButton.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/AccessibleChange.h"
#include "widgets/TErrorGuard.h"
#include "widgets/VrDraw.h"

namespace orvane::widgets {

namespace {

constexpr int kTextFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;

struct Placement {
  int lamp;
  int text;
};

// Positions of lamp and caption along the axis they share, from `total`
// pixels of room, the lamp and text extents and the margin and spacing
// settings (-1 meaning "work it out").
Placement PlaceAlong(bool fromStart, int total, int lamp, int text, int margin, int spacing) {
  if (margin == -1 && spacing == -1) {
    margin = (total - (lamp + text)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (total - (lamp + spacing + text) + 1) / 2;
  } else if (spacing == -1) {
    spacing = ((total - (margin + lamp)) - text) / 2;
  }
  if (fromStart) return {margin, margin + lamp + spacing};
  const int lampAt = total - margin - lamp;
  return {lampAt, lampAt - spacing - text};
}

int Centre(int total, int extent) { return (total - extent + 1) / 2; }

}  // namespace

TVrPowerButton::TVrPowerButton(QWidget* parent) : TVrCustomImageControl(parent) {
  setFocusPolicy(Qt::NoFocus);
  palette_.SetOnChange([this] { UpdateControlCanvas(); });
  resize(125, 25);
  AdjustLayout();
}

void TVrPowerButton::SetActive(bool active) {
  if (Store(active_, active)) AnnounceChecked(this);
}

void TVrPowerButton::SetCaption(const QString& caption) {
  const bool renamed = caption != caption_;
  caption_ = caption;
  UpdateAccelerator();
  AdjustLayout();
  if (renamed) AnnounceText(this, QAccessible::NameChanged);
}

QString TVrPowerButton::DrawnCaption() const {
  QString drawn;
  for (qsizetype i = 0; i < caption_.size(); ++i) {
    if (caption_[i] == u'&' && i + 1 < caption_.size()) ++i;
    drawn += caption_[i];
  }
  return drawn;
}

void TVrPowerButton::Click() {
  SetActive(!active_);
  RaiseClick();
}

void TVrPowerButton::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

void TVrPowerButton::AdjustLayout() {
  const int inset = bevelWidth_ + outlineWidth_;
  const QRect client = rect().adjusted(inset, inset, -inset, -inset);
  const QSize textSize = caption_.isEmpty() ? QSize(0, 0)
                                            : QSize(fontMetrics().horizontalAdvance(DrawnCaption()),
                                                    fontMetrics().height());
  const int tw = textSize.width();
  const int th = textSize.height();
  const int spacing = (tw == 0 || ledWidth_ == 0) ? 0 : spacing_;
  QPoint lamp;
  QPoint text;
  if (layout_ == TVrImageTextLayout::ImageLeft || layout_ == TVrImageTextLayout::ImageRight) {
    const Placement along = PlaceAlong(layout_ == TVrImageTextLayout::ImageLeft, client.width(),
                                       ledWidth_, tw, margin_, spacing);
    lamp = {along.lamp, Centre(client.height(), ledHeight_)};
    text = {along.text, Centre(client.height(), th)};
  } else {
    const Placement along = PlaceAlong(layout_ == TVrImageTextLayout::ImageTop, client.height(),
                                       ledHeight_, th, margin_, spacing);
    lamp = {Centre(client.width(), ledWidth_), along.lamp};
    text = {Centre(client.width(), tw), along.text};
  }
  imageRect_ = QRect(lamp + client.topLeft(), QSize(ledWidth_, ledHeight_));
  textBounds_ = QRect(text + client.topLeft(), textSize);
  UpdateControlCanvas();
}

void TVrPowerButton::Paint(QPainter& canvas) {
  canvas.fillRect(rect(), color_.Resolve(palette()));
  PaintFrame(canvas);
  PaintLamp(canvas);
  PaintCaption(canvas);
}

void TVrPowerButton::PaintFrame(QPainter& canvas) {
  const QPalette& pal = palette();
  const QColor outline = outlineColor_.Resolve(pal);
  const QColor highlight = highlightColor_.Resolve(pal);
  const QColor shadow = shadowColor_.Resolve(pal);
  QRect area = rect();
  const QColor ring = focused_ ? focusColor_.Resolve(pal) : outline;
  Frame(canvas, area, ring, ring, outlineWidth_);
  if (pressed_) {
    area = rect();
    Frame(canvas, area, outline, highlight, outlineWidth_);
    Frame(canvas, area, shadow, outline, bevelWidth_);
  } else {
    Frame(canvas, area, highlight, shadow, bevelWidth_);
  }
}

void TVrPowerButton::PaintLamp(QPainter& canvas) {
  const QPalette& pal = palette();
  QRect lamp = imageRect_;
  Frame(canvas, lamp, shadowColor_.Resolve(pal), highlightColor_.Resolve(pal), 1);
  Frame(canvas, lamp, Qt::black, Qt::black, 1);
  const TVrColor fill = !isEnabled() ? color_ : palette_.Colors(active_ ? 1 : 0);
  canvas.fillRect(lamp, fill.Resolve(pal));
}

void TVrPowerButton::PaintCaption(QPainter& canvas) {
  const QPalette& pal = palette();
  canvas.setFont(font());
  if (isEnabled()) {
    canvas.setPen(kWindowText.Resolve(pal));
    canvas.drawText(textBounds_, kTextFlags, caption_);
    return;
  }
  canvas.setPen(kBtnHighlight.Resolve(pal));
  canvas.drawText(textBounds_.translated(1, 1), kTextFlags, caption_);
  canvas.setPen(kBtnShadow.Resolve(pal));
  canvas.drawText(textBounds_, kTextFlags, caption_);
}

bool TVrPowerButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    if (isEnabled()) RaiseClick();
    return true;
  }
  return TVrCustomImageControl::event(event);
}

void TVrPowerButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) AdjustLayout();
  if (event->type() == QEvent::EnabledChange) UpdateControlCanvas();
  TVrCustomImageControl::changeEvent(event);
}

void TVrPowerButton::resizeEvent(QResizeEvent* event) {
  TVrCustomImageControl::resizeEvent(event);
  AdjustLayout();
}

void TVrPowerButton::focusInEvent(QFocusEvent* event) {
  focused_ = true;
  UpdateControlCanvas();
  TVrCustomImageControl::focusInEvent(event);
}

void TVrPowerButton::focusOutEvent(QFocusEvent* event) {
  focused_ = false;
  spaceDown_ = false;
  pressed_ = pressed_ && down_;
  UpdateControlCanvas();
  TVrCustomImageControl::focusOutEvent(event);
}

void TVrPowerButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  down_ = true;
  SetPressed(true);
  if (tabStop_) setFocus(Qt::MouseFocusReason);
}

void TVrPowerButton::mouseMoveEvent(QMouseEvent* event) {
  if (down_) SetPressed(rect().contains(event->position().toPoint()));
}

void TVrPowerButton::mouseReleaseEvent(QMouseEvent* event) {
  down_ = false;
  if (pressed_) {
    ToggleAndClick();
    return;
  }
  TVrCustomImageControl::mouseReleaseEvent(event);
}

void TVrPowerButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    TVrCustomImageControl::keyPressEvent(event);
    return;
  }
  if (event->isAutoRepeat()) return;
  spaceDown_ = true;
  SetPressed(true);
}

// Only a release that follows our own press counts: a space held down while
// the focus arrived must not toggle the button.
void TVrPowerButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    TVrCustomImageControl::keyReleaseEvent(event);
    return;
  }
  if (event->isAutoRepeat() || !spaceDown_) return;
  spaceDown_ = false;
  down_ = false;
  ToggleAndClick();
}

void TVrPowerButton::SetPressed(bool pressed) { Store(pressed_, pressed); }

void TVrPowerButton::ToggleAndClick() {
  SetPressed(false);
  Click();
}

void TVrPowerButton::RaiseClick() {
  TErrorGuard::Run([this] {
    if (onClick_) onClick_(this);
  });
}

void TVrPowerButton::UpdateAccelerator() {
  if (acceleratorId_ != 0) releaseShortcut(acceleratorId_);
  acceleratorId_ = 0;
  const QKeySequence accelerator = QKeySequence::mnemonic(caption_);
  if (!accelerator.isEmpty()) acceleratorId_ = grabShortcut(accelerator);
}

}  // namespace orvane::widgets
