#pragma once

#include <QPixmap>

namespace orvane::app {

inline constexpr int kSplashPictureWidth = 240;
inline constexpr int kSplashPictureHeight = 180;

// The splash picture, 240 x 180: the program's name over a detector trace
// with its peaks, on a deep blue ground.
QPixmap SplashPicture();

}  // namespace orvane::app
