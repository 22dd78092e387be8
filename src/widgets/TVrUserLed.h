#pragma once

#include <functional>

#include "widgets/TNotifyEvent.h"
#include "widgets/TVrBevel.h"
#include "widgets/TVrGraphicControl.h"
#include "widgets/TVrPaletteEx.h"

class QPainter;

namespace orvane::widgets {

// A rectangular status lamp, lit or dark, in a bevel frame. It has no text of
// its own: assistive tools read its accessibleName, which the owner sets to the
// label beside it, with "on" or "off" as the description.
class TVrUserLed : public TVrGraphicControl {
  Q_OBJECT

 public:
  using TDrawEvent = std::function<void(TVrUserLed& sender, QPainter& canvas, const QRect& rect)>;

  explicit TVrUserLed(QWidget* parent = nullptr);

  TVrBevel& Bevel() { return bevel_; }
  void SetBevel(const TVrBevel& bevel) { bevel_.Assign(bevel); }
  TVrPaletteEx& PaletteEx() { return paletteEx_; }
  void SetPaletteEx(const TVrPaletteEx& palette) { paletteEx_.Assign(palette); }

  bool Active() const { return active_; }
  // Raises OnChange after the repaint, and only on a real change.
  void SetActive(bool active);
  TVrColor OutlineColor() const { return outlineColor_; }
  void SetOutlineColor(TVrColor color) { Store(outlineColor_, color); }
  int OutlineWidth() const { return outlineWidth_; }
  void SetOutlineWidth(int width) { Store(outlineWidth_, width); }
  TVrDrawStyle DrawStyle() const { return drawStyle_; }
  void SetDrawStyle(TVrDrawStyle style) { Store(drawStyle_, style); }

  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
  void SetOnDraw(TDrawEvent handler) { onDraw_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintNormal(QPainter& canvas);

  TVrBevel bevel_;
  TVrPaletteEx paletteEx_;
  bool active_ = false;
  TVrColor outlineColor_ = kBlack;
  int outlineWidth_ = 0;
  TVrDrawStyle drawStyle_ = TVrDrawStyle::dsNormal;
  TNotifyEvent onChange_;
  TDrawEvent onDraw_;
};

}  // namespace orvane::widgets
