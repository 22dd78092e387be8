#pragma once

namespace orvane::widgets {

enum class TVrBevelStyle { bsNone, bsLowered, bsRaised };
enum class TVrBevelOutlineStyle { osOuter, osInner, osNone };
enum class TVrDrawStyle { dsOwnerDraw, dsNormal };
enum class TVrImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };

}  // namespace orvane::widgets
