#include "widgets/molla.h"

#include <QVariantAnimation>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace pulsaro {

namespace {
constexpr double omega0 = 2 * std::numbers::pi / rispostaMolla;
}  // namespace

double molla(double t) {
    if (t <= 0) return 0;
    const double zeta = smorzamentoMolla;
    const double omegaD = omega0 * std::sqrt(1 - zeta * zeta);
    const double inviluppo = std::exp(-zeta * omega0 * t);
    return 1 - inviluppo * (std::cos(omegaD * t) + zeta * omega0 / omegaD * std::sin(omegaD * t));
}

double durataMolla(double salto, double soglia) {
    // The envelope bounds the error: |salto|·e^(-ζω₀t)·√(1 + (ζω₀/ω_d)²) < soglia.
    const double zeta = smorzamentoMolla;
    const double rapporto = zeta / std::sqrt(1 - zeta * zeta);
    const double ampiezza = std::sqrt(1 + rapporto * rapporto);
    const double errore = std::abs(salto) * ampiezza;
    if (!(errore > soglia)) return 0;
    return std::log(errore / soglia) / (zeta * omega0);
}

double passoVisibile(double raggio, double scala) {
    // The arc's end is the farthest point that moves: it travels the scale's length.
    const double pixel = raggio * scala * 240 * std::numbers::pi / 180;
    if (!(pixel > 0)) return sogliaMolla;
    return std::clamp(0.5 / pixel, 0.0002, 0.01);
}

ValoreMolla::ValoreMolla(QObject* padre, std::function<void()> cambiato)
    : animazione_(new QVariantAnimation(padre)), cambiato_(std::move(cambiato)) {
    // Linear time from 0 to 1 over the spring's duration for this jump; the spring itself is
    // applied here, so the animation ends as soon as the rest of the motion cannot be seen.
    animazione_->setStartValue(0.0);
    animazione_->setEndValue(1.0);
    QObject::connect(animazione_, &QVariantAnimation::valueChanged, animazione_, [this](const QVariant& v) {
        const double p = v.toDouble();
        valore_ = p >= 1 ? obiettivo_ : partenza_ + (obiettivo_ - partenza_) * molla(p * durata_);
        // A frame that would look like the last one is not worth painting; the last one always is.
        if (p < 1 && std::abs(valore_ - annunciato_) < passo_) return;
        annunciato_ = valore_;
        if (cambiato_) cambiato_();
    });
}

ValoreMolla::~ValoreMolla() {
    // Members die before the parent's children, so the animation is still ours to delete.
    delete animazione_;
}

bool ValoreMolla::inCorso() const {
    return animazione_->state() == QAbstractAnimation::Running;
}

void ValoreMolla::vaiA(double obiettivo, bool anima) {
    if (anima && obiettivo == obiettivo_ && inCorso()) return;
    const double durata = anima ? durataMolla(obiettivo - valore_, passo_) : 0;
    if (durata <= 0) {
        // Nothing to see move: a jump too small for the dial is drawn once, at its end.
        animazione_->stop();
        obiettivo_ = obiettivo;
        if (valore_ != obiettivo) {
            valore_ = annunciato_ = obiettivo;
            if (cambiato_) cambiato_();
        }
        return;
    }
    obiettivo_ = obiettivo;
    partenza_ = valore_;
    durata_ = durata;
    animazione_->stop();
    animazione_->setDuration(static_cast<int>(std::lround(durata * 1000)));
    animazione_->start();
}

}  // namespace pulsaro
