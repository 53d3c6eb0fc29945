// Geometry and texts of the bars and of the bar list, as pure functions.
#pragma once

#include <QRectF>
#include <QString>
#include <array>
#include <vector>

namespace pulsaro {

inline constexpr double minimoBarra = 3;
inline constexpr double minimoMiniBarra = 2;
inline constexpr double altezzaTracciaBarra = 8;
inline constexpr double altezzaTracciaMiniBarra = 4;
inline constexpr double spaziaturaBarra = 3;
inline constexpr double spaziaturaMiniBarra = 1;

// The fill of a track `larghezza` wide: all of it above 100, at least `minimo` above 0, else none.
double larghezzaRiempimento(double larghezza, double valore, double minimo);

// "0.4%", "42%", "250%"; "—" when inactive.
QString testoBarra(double valore, bool attiva);
// The same without the percent sign: "10.0", "42".
QString testoMiniBarra(double valore, bool attiva);

// --- bar list -----------------------------------------------------------------------------

inline constexpr double spaziaturaRighe = 8;
inline constexpr double spaziaturaRiga = 12;
inline constexpr double paddingRigaOrizzontale = 12;
inline constexpr double paddingRigaVerticale = 8;
inline constexpr double larghezzaRango = 18;
inline constexpr double latoIconaRiga = 26;
inline constexpr double larghezzaNome = 190;
inline constexpr double raggioRiga = 10;

struct LayoutRiga {
    QRectF rango;
    QRectF icona;
    QRectF nome;                  // the name block, 190 wide
    std::array<QRectF, 2> barre;  // CPU, GPU: equal shares of what is left
};

// A row whose tallest item is `altezzaContenuto` high.
double altezzaRiga(double altezzaContenuto);
LayoutRiga layoutRiga(const QRectF& riga);
std::vector<QRectF> rettangoliRighe(double larghezza, int quante, double altezzaRiga);
double altezzaLista(int quante, double altezzaRiga);

}  // namespace pulsaro
