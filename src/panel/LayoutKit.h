#pragma once

#include <initializer_list>

#include <QColor>
#include <QIcon>
#include <QRect>
#include <QString>
#include <QStringList>

#include "panel/MainControls.h"

class QFont;
class QWidget;

namespace orvane::panel {

inline const QColor kNavy{0x00, 0x00, 0x80};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kTeal{0x00, 0x80, 0x80};
inline const QColor kSilver{0xC0, 0xC0, 0xC0};
inline const QColor kWhite{0xFF, 0xFF, 0xFF};

// The main window's fonts, each a face, a pixel size, a weight and a colour.
enum class FontRole { Window, Group, Scale, LedLabel, Alarm, Power, Grid, Reading };

QFont MakeFont(FontRole role);

// Gives a control its font and its text colour. Both are set on every
// control, so a navy or red parent never colours the controls inside it.
void ApplyFont(QWidget& widget, FontRole role);

// A face larger than the one the layout was drawn for may need a taller line
// than the layout gives a control; it grows downwards so that no descender is cut.
void KeepLineHeight(QWidget& widget);

// Sets the background colour a filled control paints.
void SetBackground(QWidget& widget, const QColor& color);

template <typename Widget>
Widget* Place(QWidget& parent, const char* name, const QRect& geometry,
              FontRole font = FontRole::Window) {
  auto* widget = new Widget(&parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(geometry);
  ApplyFont(*widget, font);
  return widget;
}

struct LabelSpec {
  QLabel* TMainControls::*member;
  const char* name;
  QRect geometry;
  const char* text;
  FontRole font = FontRole::Window;
};

// Opaque labels in the parent's background, sized to their text.
void PlaceLabels(QWidget& parent, TMainControls& controls, std::initializer_list<LabelSpec> specs);

struct SliderSpec {
  w::TTrackBar* TMainControls::*member;
  const char* name;
  QRect geometry;
  int tag;
  int pageStep;
};

// A 0..255 slider, at 0 with an empty selection as a new track bar is.
void PlaceSlider(QWidget& parent, TMainControls& controls, const SliderSpec& spec);

struct RadioGroupSpec {
  const char* name;
  QRect geometry;
  const char* caption;
  QStringList items;
  int columns;
  int itemIndex;
  FontRole font = FontRole::Group;
};

w::TRadioGroup* PlaceRadioGroup(QWidget& parent, const RadioGroupSpec& spec);

struct ButtonSpec {
  const char* name;
  QRect geometry;
  const char* caption;
  QIcon picture;
  const char* hint;
  bool takesFocus = true;
};

w::TButton* PlaceButton(QWidget& parent, const ButtonSpec& spec);

QGroupBox* PlaceGroupBox(QWidget& parent, const char* name, const QRect& geometry,
                         const char* caption, FontRole font = FontRole::Group);

}  // namespace orvane::panel
