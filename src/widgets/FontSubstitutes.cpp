#include "widgets/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace orvane::widgets {

void InstallFontSubstitutes() {
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
  QFont::insertSubstitutions("Arial Narrow", {"Liberation Sans Narrow", "DejaVu Sans Condensed"});
  // "Small Fonts" is a bitmap face for tiny sizes; any plain sans
  // reads well at its 10 px.
  QFont::insertSubstitutions("Small Fonts", {"Liberation Sans", "DejaVu Sans"});
}

}  // namespace orvane::widgets
