// Laid-out texts kept between paints: the lists draw the same few strings ("48%", "CPU", names)
// on every sample, and shaping them again each time costs more than drawing them.
#pragma once

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace pulsaro {

// The size of `testo` in `font` (advance width, line height), from the cache.
QSizeF misuraTesto(const QString& testo, const QFont& font);

// Draws `testo` as plain text in one line with its line box's top left at `angolo`.
void disegnaTesto(QPainter& p, const QPointF& angolo, const QString& testo, const QFont& font);
// The same kept inside `riga`: marks stacked on a name from outside cannot reach the lines around.
void disegnaTesto(QPainter& p, const QPointF& angolo, const QString& testo, const QFont& font,
                  const QRectF& riga);

// The text cut with "…" at the right to fit `larghezza`, from the cache.
QString testoTagliato(const QString& testo, const QFont& font, double larghezza);

}  // namespace pulsaro
