#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

namespace orvane::widgets {

enum class TVrSystemColor { None, BtnFace, BtnShadow, BtnHighlight, WindowText, HighlightText };

// A fixed RGB colour or one of the system's named colours; a named colour is
// looked up in the palette each time it is painted, so theme changes show.
class TVrColor {
 public:
  static constexpr TVrColor Rgb(std::uint32_t rgb) {
    return TVrColor(rgb & 0xFFFFFFu, TVrSystemColor::None);
  }
  static constexpr TVrColor System(TVrSystemColor color) { return TVrColor(0, color); }

  // Always a plain 8-bit RGB colour, as it lands on the screen.
  QColor Resolve(const QPalette& palette) const {
    return QColor::fromRgb(system_ == TVrSystemColor::None ? rgb_ : Lookup(palette).rgb());
  }

  bool operator==(const TVrColor&) const = default;

 private:
  constexpr TVrColor(std::uint32_t rgb, TVrSystemColor system) : rgb_(rgb), system_(system) {}

  QColor Lookup(const QPalette& palette) const {
    switch (system_) {
      case TVrSystemColor::BtnFace:
        return palette.color(QPalette::Active, QPalette::Button);
      case TVrSystemColor::BtnShadow:
        return palette.color(QPalette::Active, QPalette::Dark);
      case TVrSystemColor::BtnHighlight:
        return palette.color(QPalette::Active, QPalette::Light);
      case TVrSystemColor::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
      case TVrSystemColor::HighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
      case TVrSystemColor::None:
        break;
    }
    return QColor::fromRgb(rgb_);
  }

  std::uint32_t rgb_;
  TVrSystemColor system_;
};

inline constexpr TVrColor kBlack = TVrColor::Rgb(0x000000);
inline constexpr TVrColor kWhite = TVrColor::Rgb(0xFFFFFF);
inline constexpr TVrColor kGreen = TVrColor::Rgb(0x008000);
inline constexpr TVrColor kLime = TVrColor::Rgb(0x00FF00);
inline constexpr TVrColor kMaroon = TVrColor::Rgb(0x800000);
inline constexpr TVrColor kRed = TVrColor::Rgb(0xFF0000);
inline constexpr TVrColor kBlue = TVrColor::Rgb(0x0000FF);
inline constexpr TVrColor kBtnFace = TVrColor::System(TVrSystemColor::BtnFace);
inline constexpr TVrColor kBtnShadow = TVrColor::System(TVrSystemColor::BtnShadow);
inline constexpr TVrColor kBtnHighlight = TVrColor::System(TVrSystemColor::BtnHighlight);
inline constexpr TVrColor kWindowText = TVrColor::System(TVrSystemColor::WindowText);
inline constexpr TVrColor kHighlightText = TVrColor::System(TVrSystemColor::HighlightText);

}  // namespace orvane::widgets
