// The menu-bar tile: its stored choices, its colour arithmetic and its image.
// Holds no state: every use reads the preferences it is given afresh.
#pragma once

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"
#include "sampling/catalogo.h"
#include "sampling/uso.h"

namespace pulsaro::RiquadroBarra {

inline constexpr const char* chiaveAttivo = TabellaPreferenze::iconaRiquadro.chiave;
inline constexpr const char* chiaveColore = TabellaPreferenze::coloreRiquadro.chiave;

// The items of the tile, in the order they are drawn and listed.
enum class Voce { mem, cpu, core, gpu, n };
inline constexpr std::array<Voce, 5> voci = {Voce::mem, Voce::cpu, Voce::core, Voce::gpu, Voce::n};

std::string_view id(Voce v);    // "mem", "cpu", "core", "gpu", "n"
std::string_view nome(Voce v);  // "Mem", "CPU", "Core", "GPU", "N"
const char* chiave(Voce v);     // "riquadro_" + id, the stored key
bool predefinita(Voce v);       // all but the core item
std::optional<Voce> voce(std::string_view id);

// The default tile colour, E08A4F.
const QColor& arancio();

bool attivo(const Preferenze& p);
bool mostra(const Preferenze& p, Voce v);
void imposta(Preferenze& p, Voce v, bool mostrata);
QColor sfondo(const Preferenze& p);

// "RRGGBB", upper case, no "#"; an invalid colour is written as the orange.
std::string hex(const QColor& c);
// Six hexadecimal digits after trimming "#" and blanks at both ends; anything else is none.
std::optional<QColor> colore(std::string_view hex);

// WCAG 2.0 relative luminance and contrast ratio.
double luminanza(const QColor& c);
double contrasto(const QColor& a, const QColor& b);
// Black, orange or white, whichever reads best on the background (ties keep the earlier).
QColor testo(const QColor& su);
// The Neural Engine dot: green shades when active, greys at rest, lighter on dark backgrounds.
QColor colorePallino(bool acceso, const QColor& sfondo);

// The (label, value) pairs the tile writes, in the catalogue's order of its figures that name a
// shown item: "Mem " / " 62%", "P " / "4", ...
std::vector<std::pair<QString, QString>> coppie(const Riepilogo& r, const Preferenze& p, int numeroE);

// The tile at the given device pixel ratio; its logical size is 17 points high.
// numeroE is the machine's count of efficiency cores (the core item reads "Core" without them).
// The image carries its accessibility description under the text key "Description".
QImage immagine(const Riepilogo& r, const QColor& sfondo, const Preferenze& p, int numeroE, qreal dpr);
QImage immagine(const Riepilogo& r, const QColor& sfondo, const Preferenze& p, qreal dpr);
QImage immagine(const Riepilogo& r, const Preferenze& p, qreal dpr);

// A tile's canvas: a transparent image of `misura` points at `dpr` with the background filled as a
// rounded rectangle and the summary's accessibility description under the text key "Description".
QImage tela(const Riepilogo& r, const QColor& sfondo, const QSizeF& misura, qreal raggio, qreal dpr);

// Logical size of the tile, without drawing it.
QSizeF dimensione(const Riepilogo& r, const Preferenze& p, int numeroE);

}  // namespace pulsaro::RiquadroBarra
