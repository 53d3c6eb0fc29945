#include "widgets/molla.h"

#include <QEasingCurve>
#include <QVariantAnimation>
#include <cmath>
#include <numbers>

namespace pulsaro {

namespace {
constexpr double omega0 = 2 * std::numbers::pi / rispostaMolla;
constexpr double soglia = 0.001;
}  // namespace

double molla(double t) {
    if (t <= 0) return 0;
    const double zeta = smorzamentoMolla;
    const double omegaD = omega0 * std::sqrt(1 - zeta * zeta);
    const double inviluppo = std::exp(-zeta * omega0 * t);
    return 1 - inviluppo * (std::cos(omegaD * t) + zeta * omega0 / omegaD * std::sin(omegaD * t));
}

double durataMolla() {
    // The envelope bounds the error: e^(-ζω₀t)·√(1 + (ζω₀/ω_d)²) < soglia.
    const double zeta = smorzamentoMolla;
    const double rapporto = zeta / std::sqrt(1 - zeta * zeta);
    const double ampiezza = std::sqrt(1 + rapporto * rapporto);
    return std::log(ampiezza / soglia) / (zeta * omega0);
}

double curvaMolla(double progresso) {
    if (progresso >= 1) return 1;
    return molla(progresso * durataMolla());
}

ValoreMolla::ValoreMolla(QObject* padre, std::function<void()> cambiato)
    : animazione_(new QVariantAnimation(padre)), cambiato_(std::move(cambiato)) {
    QEasingCurve curva;
    curva.setCustomType([](qreal p) -> qreal { return curvaMolla(p); });
    animazione_->setEasingCurve(curva);
    animazione_->setDuration(static_cast<int>(std::lround(durataMolla() * 1000)));
    QObject::connect(animazione_, &QVariantAnimation::valueChanged, animazione_, [this](const QVariant& v) {
        valore_ = v.toDouble();
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
    if (!anima || valore_ == obiettivo) {
        animazione_->stop();
        obiettivo_ = obiettivo;
        if (valore_ != obiettivo) {
            valore_ = obiettivo;
            if (cambiato_) cambiato_();
        }
        return;
    }
    if (obiettivo == obiettivo_ && inCorso()) return;
    obiettivo_ = obiettivo;
    animazione_->stop();
    animazione_->setStartValue(valore_);
    animazione_->setEndValue(obiettivo);
    animazione_->start();
}

}  // namespace pulsaro
