// Fonts of the interface: the desktop's text styles and explicit sizes, in logical pixels.
#pragma once

#include <QFont>

namespace pulsaro {

enum class StileTesto { caption, caption2, callout, body };

// Size in logical pixels of each text style.
double dimensioneStile(StileTesto s);

// The system font at `dimensione` logical pixels with the given weight.
QFont carattere(double dimensione, QFont::Weight peso = QFont::Normal);
QFont carattere(StileTesto s, QFont::Weight peso = QFont::Normal);

}  // namespace pulsaro
