#include "panel/LayoutKit.h"

#include <algorithm>
#include <optional>

#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

#include "panel/MainLayout.h"
#include "widgets/TButton.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel {

namespace {

struct FontStyle {
  const char* family;
  int pixelSize;
  bool bold;
  std::optional<QColor> color;  // none: the window-text colour
};

FontStyle StyleOf(FontRole role) {
  switch (role) {
    case FontRole::Window:
      return {"MS Sans Serif", 14, false, std::nullopt};
    case FontRole::Group:
      return {"MS Sans Serif", 15, false, kNavy};
    case FontRole::Scale:
      return {"Arial Narrow", 12, false, kNavy};
    case FontRole::LedLabel:
      return {"Arial Narrow", 12, true, kNavy};
    case FontRole::Alarm:
      return {"MS Sans Serif", 15, true, kRed};
    case FontRole::Power:
      return {"Arial Narrow", 12, false, std::nullopt};
    case FontRole::Grid:
      return {"Small Fonts", 10, false, std::nullopt};
    case FontRole::Reading:
      return {"MS Sans Serif", 15, false, kRed};
  }
  return StyleOf(FontRole::Window);
}

// The layout was drawn round group boxes whose frame starts half-way down
// the caption, with the caption sitting in a gap of the top line; styles
// that put the frame under the caption run it through the controls placed
// near the top. Only the box itself takes this style, its contents keep the
// application's.
void DrawCaptionOnFrame(QGroupBox& box) {
  static QPointer<QStyle> classic;
  if (classic.isNull()) {
    classic = QStyleFactory::create(QStringLiteral("Windows"));
    if (classic) classic->setParent(qApp);
  }
  if (classic) box.setStyle(classic);
}

// The substitute faces run wider than the ones the layout was drawn with,
// and a caption that outgrows its box runs over the box's right edge. Such a
// caption is narrowed (the font's stretch, the same height) until it sits
// with as much room on its right as the style leaves on its left.
void FitCaption(QGroupBox& box) {
  constexpr int kNarrowest = 75;  // percent; narrower reads badly
  const auto fits = [&box] {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return label.right() + label.left() < box.width();
  };
  QFont font = box.font();
  for (int stretch = 99; stretch >= kNarrowest && !fits(); --stretch) {
    font.setStretch(stretch);
    box.setFont(font);
  }
}

}  // namespace

QFont MakeFont(FontRole role) {
  const FontStyle style = StyleOf(role);
  QFont font(QString::fromLatin1(style.family));
  font.setPixelSize(style.pixelSize);
  font.setBold(style.bold);
  // Set, so that no control takes a caption's narrowing from its box; any
  // width, so that a narrow face such as Arial Narrow's stays narrow.
  font.setStretch(QFont::AnyStretch);
  // The scales line their numbers up under the ticks with spaces; only
  // whole-pixel advances give them the widths the layout was drawn with.
  if (role == FontRole::Scale) font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// The window's own text colour is read from the top-level window, whose
// palette the client area shares.
void ApplyFont(QWidget& widget, FontRole role) {
  widget.setFont(MakeFont(role));
  const QColor windowText = widget.window()->palette().color(QPalette::WindowText);
  QPalette palette = widget.palette();
  const QColor color = StyleOf(role).color.value_or(windowText);
  palette.setColor(QPalette::WindowText, color);
  widget.setPalette(palette);
}

void KeepLineHeight(QWidget& widget) {
  widget.resize(widget.width(), std::max(widget.height(), widget.fontMetrics().height()));
}

void SetBackground(QWidget& widget, const QColor& color) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, color);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

void PlaceLabels(QWidget& parent, TMainControls& controls, std::initializer_list<LabelSpec> specs) {
  for (const LabelSpec& spec : specs) {
    QLabel* label = Place<QLabel>(parent, spec.name, spec.geometry, spec.font);
    label->setAutoFillBackground(true);
    KeepLineHeight(*label);
    SetLabelText(*label, QString::fromLatin1(spec.text));
    controls.*spec.member = label;
  }
}

void PlaceSlider(QWidget& parent, TMainControls& controls, const SliderSpec& spec) {
  auto* slider = Place<w::TTrackBar>(parent, spec.name, spec.geometry);
  slider->SetTag(spec.tag);
  slider->SetRange(0, 255);
  slider->SetPageSize(spec.pageStep);
  slider->SetLineSize(1);
  controls.*spec.member = slider;
}

w::TRadioGroup* PlaceRadioGroup(QWidget& parent, const RadioGroupSpec& spec) {
  auto* group = Place<w::TRadioGroup>(parent, spec.name, spec.geometry, spec.font);
  DrawCaptionOnFrame(*group);
  group->setTitle(QString::fromLatin1(spec.caption));
  FitCaption(*group);
  group->SetItems(spec.items);
  group->SetColumns(spec.columns);
  group->SetItemIndex(spec.itemIndex);
  return group;
}

w::TButton* PlaceButton(QWidget& parent, const ButtonSpec& spec) {
  auto* button = Place<w::TButton>(parent, spec.name, spec.geometry);
  button->setText(QString::fromLatin1(spec.caption));
  button->setIcon(spec.picture);
  button->setToolTip(QString::fromLatin1(spec.hint));
  if (!spec.takesFocus) button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QGroupBox* PlaceGroupBox(QWidget& parent, const char* name, const QRect& geometry,
                         const char* caption, FontRole font) {
  auto* box = Place<QGroupBox>(parent, name, geometry, font);
  DrawCaptionOnFrame(*box);
  box->setTitle(QString::fromLatin1(caption));
  FitCaption(*box);
  return box;
}

}  // namespace orvane::panel
