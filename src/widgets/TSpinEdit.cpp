#include "widgets/TSpinEdit.h"

#include <algorithm>

#include <QLineEdit>
#include <QProxyStyle>

#include "widgets/TErrorGuard.h"

namespace orvane::widgets {

namespace {

class RepeatTimingStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_SpinBox_ClickAutoRepeatThreshold) return 400;
    if (hint == SH_SpinBox_ClickAutoRepeatRate) return 100;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

bool IsWholeNumber(const QString& text, bool signAllowed) {
  const qsizetype start = signAllowed && text.startsWith(u'-') ? 1 : 0;
  if (text.size() == start) return false;
  return std::all_of(text.begin() + start, text.end(), [](QChar c) { return c.isDigit(); });
}

}  // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
  auto* timing = new RepeatTimingStyle;
  timing->setParent(this);
  setStyle(timing);
  lastText_ = cleanText();
  connect(this, &QSpinBox::textChanged, this, &TSpinEdit::OperatorEdited);
  connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::OperatorEdited);
}

void TSpinEdit::SetValue(int value) {
  changingFromCode_ = true;
  setValue(std::clamp(value, minimum(), maximum()));
  changingFromCode_ = false;
  if (cleanText() == lastText_) return;
  lastText_ = cleanText();
  if (onChange_) onChange_(this);
}

void TSpinEdit::SetRange(int min, int max) { setRange(min, std::max(min, max)); }

void TSpinEdit::SetMaxLength(int length) { lineEdit()->setMaxLength(length); }

// Typed numbers outside the range are pulled in at once, so the box never
// shows a value it would not accept.
QValidator::State TSpinEdit::validate(QString& input, int& pos) const {
  if (input.isEmpty() || input == u"-") return QValidator::Intermediate;
  if (!IsWholeNumber(input, minimum() < 0)) return QValidator::Invalid;
  bool ok = false;
  const qlonglong typed = input.toLongLong(&ok);
  const int value = valueFromText(input);
  if (!ok || typed != value) {
    input = QString::number(value);
    pos = static_cast<int>(input.size());
  }
  return QValidator::Acceptable;
}

int TSpinEdit::valueFromText(const QString& text) const {
  bool ok = false;
  const qlonglong typed = text.trimmed().toLongLong(&ok);
  if (!ok) return minimum();
  return static_cast<int>(std::clamp<qlonglong>(typed, minimum(), maximum()));
}

// Qt refuses mouse, wheel and keys to a disabled box, but an assistive tool
// still sets its value or writes into its text: that change is undone, and
// the handler never hears of it.
void TSpinEdit::OperatorEdited() {
  if (changingFromCode_) return;
  const QString now = cleanText();
  if (now == lastText_) return;
  if (!isEnabled()) {
    changingFromCode_ = true;
    lineEdit()->setText(lastText_);
    changingFromCode_ = false;
    return;
  }
  lastText_ = now;
  TErrorGuard::Run([this] {
    if (onChange_) onChange_(this);
  });
}

}  // namespace orvane::widgets
