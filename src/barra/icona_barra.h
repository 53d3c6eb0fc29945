// The plain status icon: the gauge symbol, orange, or grey in the alert state.
#pragma once

#include <QColor>
#include <QImage>

namespace pulsaro {

// The system grey of the alert state; fixed so the icon is the same on every desktop theme.
QColor grigioSistema();

// The gauge at the size of a 15-point semibold symbol, 18 × 18 logical pixels, at device pixel
// ratio dpr; its accessibility description "Pulsaro" is under the text key "Description".
QImage iconaBarra(bool grigia, qreal dpr);

}  // namespace pulsaro
