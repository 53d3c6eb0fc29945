// The gauge's spring: a damped spring of response 0.7 s and damping fraction 0.75, as a curve
// of time and as an animation of one value.
#pragma once

#include <QPointer>
#include <functional>

#include "widgets/orologio_fotogrammi.h"

class QWidget;

namespace pulsaro {

inline constexpr double rispostaMolla = 0.7;      // seconds of one undamped period
inline constexpr double smorzamentoMolla = 0.75;  // fraction of critical damping
inline constexpr double sogliaMolla = 0.001;      // what is left of a jump that no dial shows
inline constexpr double passiMinimiMolla = 3;     // a jump of fewer visible steps is drawn at once
inline constexpr double passiFotogramma = 2;      // the visible steps a frame moves, the last at most

// Progress (0 at rest, 1 at the target) of a spring released at time 0, t in seconds.
// Overshoots 1 a little before it settles.
double molla(double t);

// The time after which a spring released for a jump of `salto` (a fraction of the dial) stays within
// `soglia` of the whole dial, 0 when the whole jump is smaller than that.
double durataMolla(double salto, double soglia = sogliaMolla);

// The smallest change of a dial of this radius (points) that moves its arc's end or its needle
// by a device pixel at `scala` device pixels per point.
double passoVisibile(double raggio, double scala);

// One animated value that follows its target with the spring, moved by the frame clock of its
// widget's window.
class ValoreMolla : public Animato {
public:
    // cambiato runs on every frame that shows a visible step, and once more when it settles.
    ValoreMolla(QWidget* proprietario, std::function<void()> cambiato);
    ValoreMolla(const ValoreMolla&) = delete;
    ValoreMolla& operator=(const ValoreMolla&) = delete;
    ~ValoreMolla() override;

    double valore() const { return valore_; }
    // The value of the frame announced before the current one: a frame repaints between the two.
    double precedente() const { return precedente_; }
    double obiettivo() const { return obiettivo_; }
    bool inCorso() const { return inCorso_; }

    // Moves towards obiettivo: springing from the current value when anima, else at once. A jump
    // below the smallest one worth a spring, or any jump with reduced motion, is drawn at once.
    void vaiA(double obiettivo, bool anima);
    // The visible step: a frame is announced for `passiFotogramma` of them, and the spring stops
    // once what is left of its jump is less than that. `minimo`: the smallest jump worth a
    // spring (by default a few steps).
    void impostaPasso(double passo, double minimo = 0);

    double avanza(double ora) override;

private:
    void annuncia();

    QWidget* proprietario_;
    QPointer<OrologioFotogrammi> orologio_;
    std::function<void()> cambiato_;
    double valore_ = 0;
    double precedente_ = 0;
    double obiettivo_ = 0;
    double partenza_ = 0;
    double inizio_ = 0;  // the clock's time at the release
    double durata_ = 0;
    double passo_ = sogliaMolla;
    double minimo_ = passiMinimiMolla * sogliaMolla;
    double annunciato_ = 0;  // the value of the last frame announced
    bool inCorso_ = false;
};

}  // namespace pulsaro
