#include "widgets/tema.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace pulsaro {

namespace {
QColor rgb255(double r, double g, double b) {
    return QColor::fromRgbF(static_cast<float>(r / 255.0), static_cast<float>(g / 255.0),
                            static_cast<float>(b / 255.0));
}
}  // namespace

QColor ColoreAdattivo::operator()() const {
    return (*this)(Tema::aspetto());
}

QColor Tema::carico(double p) {
    const double t = p / 100.0;
    if (p <= 0 || t < 0.4 || std::isnan(p)) return rgb255(141, 190, 227);
    if (t < 0.48) {
        const double a = std::clamp((t - 0.4) / 0.08, 0.0, 1.0);
        return rgb255(141 + 97 * a, 190 + 6 * a, 227 - 145 * a);
    }
    if (t < 0.72) return rgb255(238, 196, 82);
    if (t < 0.82) {
        const double b = std::clamp((t - 0.72) / 0.1, 0.0, 1.0);
        return rgb255(238 - 6 * b, 196 - 67 * b, 82 + 45 * b);
    }
    return rgb255(232, 129, 127);
}

Aspetto Tema::aspetto() {
    if (!qGuiApp) return Aspetto::chiaro;
    const QColor finestra = QGuiApplication::palette().color(QPalette::Window);
    return finestra.lightnessF() < 0.5 ? Aspetto::scuro : Aspetto::chiaro;
}

AspettoImposto::AspettoImposto(Aspetto a) : prima_(QGuiApplication::palette()) {
    QPalette t = prima_;
    t.setColor(QPalette::Window, a == Aspetto::scuro ? QColor(30, 30, 30) : QColor(236, 236, 236));
    QGuiApplication::setPalette(t);
}

AspettoImposto::~AspettoImposto() {
    QGuiApplication::setPalette(prima_);
}

QColor conOpacita(QColor c, double opacita) {
    c.setAlphaF(static_cast<float>(std::clamp(c.alphaF() * opacita, 0.0, 1.0)));
    return c;
}

QColor mescola(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const auto m = [t](float x, float y) { return static_cast<float>(x + (y - x) * t); };
    const QColor ra = a.toRgb();
    const QColor rb = b.toRgb();
    return QColor::fromRgbF(m(ra.redF(), rb.redF()), m(ra.greenF(), rb.greenF()), m(ra.blueF(), rb.blueF()),
                            m(ra.alphaF(), rb.alphaF()));
}

}  // namespace pulsaro
