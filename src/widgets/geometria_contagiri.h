// Geometry and texts of the dial gauge and of the gauge grid, as pure functions.
// Angles are in degrees, 0 at 3 o'clock, growing clockwise (y points down).
#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <array>
#include <vector>

namespace pulsaro {

inline constexpr double inizioScala = 150;       // lower left
inline constexpr double ampiezzaScala = 240;     // clockwise through the top to 30°
inline constexpr double inizioZonaRossa = 0.85;  // fraction of the scale

// An arc of the dial's circle: from `inizio`, `ampiezza` degrees clockwise.
struct Arco {
    double inizio = 0;
    double ampiezza = 0;
};

struct Tacca {
    double angolo = 0;  // direction from the centre
    QPointF centro;     // of the capsule; its long side is radial
    double larghezza = 0;
    double altezza = 0;
    double opacita = 0;
    bool maggiore = false;
};

struct GeometriaContagiri {
    double f = 0;       // drawn fraction of the scale, 0…1
    double d = 0;       // dial size
    double lw = 0;      // arc width
    QPointF centro;     // centre of the dial's square frame
    double lato = 0;    // side of that frame, 0.9 d
    double raggio = 0;  // radius of the arcs' centre line
    Arco traccia;
    Arco zonaRossa;
    Arco arcoValore;
    std::array<Tacca, 11> tacche{};
    double angoloAgo = 0;
    double larghezzaAgo = 0;
    double lunghezzaAgo = 0;  // from the centre outwards
    double diametroMozzo = 0;
    double dimensioneValore = 0;  // font sizes of the two texts
    double dimensioneEtichetta = 0;
    QPointF centroTesti;  // centre of the stack of value and label
    QRectF ingombro;      // what the arcs cover, glow included; may exceed the frame given
};

// 0 when inactive or at or below 0, else the value over 100, at most 1.
double frazioneContagiri(double valore, bool attivo);

// The layout of a gauge drawn in `cornice` with the fraction f (which may be animating).
GeometriaContagiri geometriaContagiri(const QRectF& cornice, double f);

// The room a gauge laid out in a frame of this size needs around it for its arcs and glow.
QMarginsF sbordoContagiri(const QSizeF& cornice);

// The frame to lay a gauge out in so that all of it, glow included, stays inside `spazio`: the
// largest dial that fits, no larger than a frame of `spazio` would give, placed as there unless
// that would cross an edge. A Contagiri draws itself so in its contents rectangle.
QRectF corniceContagiri(const QRectF& spazio);

// What a frame that moves a gauge laid out in `cornice` from f0 to f1 must repaint: the needle
// at both (each in three pieces: a slanted needle's rectangle would be mostly empty), the hub and
// the value arc between the two cuts, glow and end halo included; with `tuttoLArco` (its colour
// changed) the value arc from the scale's start.
QRegion regioneMovimentoContagiri(const QRectF& cornice, double f0, double f1, bool tuttoLArco);
// The bounding rectangle of the ring between radii r0 and r1 (equal for an arc) from angle `da`
// clockwise to `a` (da <= a).
QRectF riquadroSettore(QPointF centro, double r0, double r1, double da, double a);

// "7.5%", "42%", "150%", "-3.0%"; "—" when inactive.
QString testoContagiri(double valore, bool attivo);

// --- gauge grid ---------------------------------------------------------------------------

inline constexpr double colonnaMinima = 280;
inline constexpr double spaziaturaGriglia = 12;
inline constexpr double paddingScheda = 10;
inline constexpr double spaziaturaScheda = 6;
inline constexpr double altezzaContagiriScheda = 110;
inline constexpr double spaziaturaContagiri = 10;
inline constexpr double raggioScheda = 12;

// As many columns of at least 280 (12 apart) as fit; at least one.
int colonneGriglia(double larghezza);

// Height of one card whose header line is `altezzaIntestazione` high.
double altezzaScheda(double altezzaIntestazione);

// The cards' rectangles, row by row.
std::vector<QRectF> rettangoliSchede(double larghezza, int quante, double altezzaScheda);
double altezzaGriglia(double larghezza, int quante, double altezzaScheda);

struct LayoutScheda {
    QRectF intestazione;
    std::array<QRectF, 2> contagiri;  // CPU, GPU
};
LayoutScheda layoutScheda(const QRectF& scheda, double altezzaIntestazione);

}  // namespace pulsaro
