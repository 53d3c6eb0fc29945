// The colour theme of the panels and widgets: every colour has a light and a dark value.
#pragma once

#include <QColor>
#include <QPalette>
#include <QRgb>
#include <optional>

namespace pulsaro {

enum class Aspetto { chiaro, scuro };

// A colour with one value per appearance; calling it resolves it for the current appearance.
class ColoreAdattivo {
public:
    constexpr ColoreAdattivo(QRgb chiaro, QRgb scuro) : chiaro_(chiaro), scuro_(scuro) {}

    QColor operator()(Aspetto a) const { return QColor::fromRgba(a == Aspetto::scuro ? scuro_ : chiaro_); }
    QColor operator()() const;

    constexpr QRgb chiaro() const { return chiaro_; }
    constexpr QRgb scuro() const { return scuro_; }

private:
    QRgb chiaro_;
    QRgb scuro_;
};

// Two 24-bit 0xRRGGBB values, light first, opaque.
constexpr ColoreAdattivo nsAdattivo(unsigned chiaro, unsigned scuro) {
    return ColoreAdattivo(0xFF000000u | (chiaro & 0xFFFFFFu), 0xFF000000u | (scuro & 0xFFFFFFu));
}

struct Tema {
    static constexpr ColoreAdattivo panel = nsAdattivo(0xEBEBE7, 0x222220);
    static constexpr ColoreAdattivo card = nsAdattivo(0xFFFFFF, 0x2A2A26);
    static constexpr ColoreAdattivo chip = nsAdattivo(0xDFDFDB, 0x4A4A45);
    static constexpr ColoreAdattivo line = nsAdattivo(0xE2E1DC, 0x45453F);
    static constexpr ColoreAdattivo text = nsAdattivo(0x141413, 0xEDEDEA);
    static constexpr ColoreAdattivo muted = nsAdattivo(0x6B6A66, 0xA3A29C);
    static constexpr ColoreAdattivo orange = nsAdattivo(0xB4561C, 0xE08A4F);
    static constexpr ColoreAdattivo control = nsAdattivo(0x3E8BC8, 0x6AB4E8);
    static constexpr ColoreAdattivo green = nsAdattivo(0x2F9A47, 0x5CC473);
    static constexpr ColoreAdattivo greenLight = nsAdattivo(0xBFEBC8, 0x8EE0A0);
    static constexpr ColoreAdattivo red = nsAdattivo(0xC94A4A, 0xE07B7B);

    // The desktop's own text colours: primary (default) and secondary labels.
    static constexpr ColoreAdattivo testoPrimario{0xD9000000u, 0xD9FFFFFFu};
    static constexpr ColoreAdattivo testoSecondario{0x80000000u, 0x8CFFFFFFu};

    // The colour of a load of p percent: blue, through amber, to red.
    static QColor carico(double p);

    // The appearance in use, read live from the application palette (dark when its window
    // colour is dark).
    static Aspetto aspetto();
};

// Gives the application palette the window colour of an appearance while it lives, and puts the
// previous palette back (gallery, tests): the appearance stays where every widget reads it.
class AspettoImposto {
public:
    explicit AspettoImposto(Aspetto a);
    ~AspettoImposto();
    AspettoImposto(const AspettoImposto&) = delete;
    AspettoImposto& operator=(const AspettoImposto&) = delete;

private:
    QPalette prima_;
};

// A colour with its alpha multiplied by opacita.
QColor conOpacita(QColor c, double opacita);

// The colour t of the way from a to b (t = 0 gives a, 1 gives b), alpha included.
QColor mescola(const QColor& a, const QColor& b, double t);

}  // namespace pulsaro
