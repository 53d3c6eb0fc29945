#include "widgets/molla.h"

#include <QWidget>
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
    return std::clamp(1 / pixel, 0.0002, 0.01);
}

ValoreMolla::ValoreMolla(QWidget* proprietario, std::function<void()> cambiato)
    : proprietario_(proprietario), cambiato_(std::move(cambiato)) {}

ValoreMolla::~ValoreMolla() {
    if (orologio_) orologio_->togli(this);
}

void ValoreMolla::impostaPasso(double passo, double minimo) {
    passo_ = passo > 0 ? passo : sogliaMolla;
    minimo_ = std::max(minimo, passiMinimiMolla * passo_);
}

void ValoreMolla::annuncia() {
    precedente_ = annunciato_;
    annunciato_ = valore_;
    if (cambiato_) cambiato_();
}

void ValoreMolla::vaiA(double obiettivo, bool anima) {
    if (anima && obiettivo == obiettivo_ && inCorso_) return;
    // The window's clock, found again at each jump: the widget may have moved to another window.
    OrologioFotogrammi* orologio = anima ? OrologioFotogrammi::di(proprietario_) : nullptr;
    if (orologio != orologio_ && orologio_) orologio_->togli(this);
    const bool salta = !orologio || orologio->ridotto() || std::abs(obiettivo - valore_) < minimo_;
    // It ends once what is left of the jump is less than a frame's step: the last frame lands on
    // the target by no more than any other frame moves.
    const double durata = salta ? 0 : durataMolla(obiettivo - valore_, passiFotogramma * passo_);
    obiettivo_ = obiettivo;
    if (durata <= 0) {
        // Nothing worth a spring: the jump is drawn once, at its end.
        if (orologio_) orologio_->togli(this);
        inCorso_ = false;
        if (valore_ != obiettivo) {
            valore_ = obiettivo;
            annuncia();
        }
        return;
    }
    orologio_ = orologio;
    partenza_ = valore_;
    durata_ = durata;
    inizio_ = orologio->ora();
    inCorso_ = true;
    orologio->aggiungi(this);
}

double ValoreMolla::avanza(double ora) {
    if (!inCorso_) return -1;
    const double t = ora - inizio_;
    const bool fine = t >= durata_;
    valore_ = fine ? obiettivo_ : partenza_ + (obiettivo_ - partenza_) * molla(t);
    if (fine) inCorso_ = false;
    // A frame is worth painting when it moves the dial by two visible steps: in the spring's slow
    // tail one-pixel frames would cost as much as the fast ones and show next to nothing. The
    // last frame always is.
    const double salto = passiFotogramma * passo_;
    if (fine ? valore_ != annunciato_ : std::abs(valore_ - annunciato_) >= salto) annuncia();
    if (fine) return -1;
    // The next frame that shows a step: in the spring's slow tail no frame may be due for a while.
    constexpr double fotogramma = OrologioFotogrammi::intervalloMs / 1000.0;
    for (double dopo = t + fotogramma; dopo < durata_; dopo += fotogramma)
        if (std::abs(partenza_ + (obiettivo_ - partenza_) * molla(dopo) - annunciato_) >= salto)
            return inizio_ + dopo;
    return inizio_ + durata_;
}

}  // namespace pulsaro
