#include "widgets/caratteri.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace pulsaro {

double dimensioneStile(StileTesto s) {
    switch (s) {
        case StileTesto::caption:
        case StileTesto::caption2:
            return 10;
        case StileTesto::callout:
            return 12;
        case StileTesto::body:
            return 13;
    }
    return 13;
}

QFont carattere(double dimensione, QFont::Weight peso) {
    QFont f = qGuiApp ? QGuiApplication::font() : QFont();
    // Pixel sizes, not points: layout units are logical pixels on every screen.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(dimensione))));
    f.setWeight(peso);
    return f;
}

QFont carattere(StileTesto s, QFont::Weight peso) {
    return carattere(dimensioneStile(s), peso);
}

CarattereScalato carattereScalato(double dimensione, QFont::Weight peso) {
    dimensione = std::max(dimensione, 0.01);
    CarattereScalato c{carattere(dimensione, peso), 1};
    c.scala = dimensione / c.font.pixelSize();
    return c;
}

}  // namespace pulsaro
