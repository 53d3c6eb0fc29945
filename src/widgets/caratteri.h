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

// Qt sizes fonts in whole pixels only. A text of a fractional size is drawn in the font of the
// nearest whole size under a scale of `scala`, so that the smallest texts keep their proportions.
struct CarattereScalato {
    QFont font;        // at a whole pixel size
    double scala = 1;  // the size asked for over the font's
    double dimensione() const { return font.pixelSize() * scala; }
};
CarattereScalato carattereScalato(double dimensione, QFont::Weight peso = QFont::Normal);

}  // namespace pulsaro
