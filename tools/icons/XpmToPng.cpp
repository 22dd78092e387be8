// Writes one of the program's XPM pictures as a PNG of the same pixels, for
// the desktop's icon theme, which takes PNG and SVG but not XPM. Qt reads XPM
// itself, transparency included, so nothing else is needed to convert.
#include <QImage>
#include <QString>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: orvane-xpm2png PICTURE.xpm SIZE OUTPUT.png\n", stderr);
    return 2;
  }
  const QString input = QString::fromLocal8Bit(argv[1]);
  const QString output = QString::fromLocal8Bit(argv[3]);
  const int size = std::stoi(argv[2]);
  const QImage image(input, "XPM");
  if (image.isNull()) {
    std::fprintf(stderr, "orvane-xpm2png: cannot read %s\n", argv[1]);
    return 1;
  }
  // The icon theme files a picture under its size: a picture of another size
  // would be shown scaled, or not at all.
  if (image.width() != size || image.height() != size) {
    std::fprintf(stderr, "orvane-xpm2png: %s is %dx%d, not %dx%d\n", argv[1], image.width(),
                 image.height(), size, size);
    return 1;
  }
  if (!image.save(output, "PNG")) {
    std::fprintf(stderr, "orvane-xpm2png: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
