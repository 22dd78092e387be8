#pragma once

#include <QColor>
#include <QWidget>

namespace orvane::widgets {

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar };
enum class TGaugeBorderStyle { bsNone, bsSingle };

// Shows where Progress lies between MinValue and MaxValue, in whole percent,
// as a bar or as text; the text is combined by exclusive-or so it stays
// readable over both parts of the bar. Assistive tools read it as a progress
// bar named by its accessibleName, with Progress as its value.
class TGauge : public QWidget {
  Q_OBJECT

 public:
  explicit TGauge(QWidget* parent = nullptr);

  int MinValue() const { return minValue_; }
  // Throws EInvalidOperation when above MaxValue.
  void SetMinValue(int value);
  int MaxValue() const { return maxValue_; }
  // Throws EInvalidOperation when below MinValue.
  void SetMaxValue(int value);
  int Progress() const { return curValue_; }
  // Limited to the range; repaints only when the percentage moves.
  void SetProgress(int value);
  void AddProgress(int delta);
  int PercentDone() const;

  TGaugeKind Kind() const { return kind_; }
  void SetKind(TGaugeKind kind) { Store(kind_, kind); }
  bool ShowText() const { return showText_; }
  void SetShowText(bool show) { Store(showText_, show); }
  TGaugeBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TGaugeBorderStyle style) { Store(borderStyle_, style); }
  QColor ForeColor() const { return foreColor_; }
  void SetForeColor(const QColor& color) { Store(foreColor_, color); }
  QColor BackColor() const { return backColor_; }
  void SetBackColor(const QColor& color) { Store(backColor_, color); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  template <typename T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    repaint();
  }
  bool StoreProgress(long long value);
  // Pulls Progress into a new range.
  void LimitProgress();
  void PaintBar(QPainter& canvas, const QRect& inner, int percent) const;
  void PaintText(QPainter& canvas, const QRect& inner, int percent) const;

  int minValue_ = 0;
  int maxValue_ = 100;
  int curValue_ = 0;
  TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
  bool showText_ = true;
  TGaugeBorderStyle borderStyle_ = TGaugeBorderStyle::bsSingle;
  QColor foreColor_ = Qt::black;
  QColor backColor_ = Qt::white;
};

}  // namespace orvane::widgets
