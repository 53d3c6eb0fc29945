// The gauge's spring: a damped spring of response 0.7 s and damping fraction 0.75, as a curve
// of time and as an animation of one value.
#pragma once

#include <functional>

class QObject;
class QVariantAnimation;

namespace pulsaro {

inline constexpr double rispostaMolla = 0.7;      // seconds of one undamped period
inline constexpr double smorzamentoMolla = 0.75;  // fraction of critical damping
inline constexpr double sogliaMolla = 0.001;      // what is left of a jump that no dial shows

// Progress (0 at rest, 1 at the target) of a spring released at time 0, t in seconds.
// Overshoots 1 a little before it settles.
double molla(double t);

// The time after which a spring released for a jump of `salto` (a fraction of the dial) stays within
// `soglia` of the whole dial, 0 when the whole jump is smaller than that.
double durataMolla(double salto, double soglia = sogliaMolla);

// The smallest change of a dial of this radius (points) that moves its arc's end or its needle
// by half a device pixel at `scala` device pixels per point.
double passoVisibile(double raggio, double scala);

// One animated value that follows its target with the spring.
class ValoreMolla {
public:
    // cambiato runs on every frame of the animation.
    ValoreMolla(QObject* padre, std::function<void()> cambiato);
    ValoreMolla(const ValoreMolla&) = delete;
    ValoreMolla& operator=(const ValoreMolla&) = delete;
    ~ValoreMolla();

    double valore() const { return valore_; }
    double obiettivo() const { return obiettivo_; }
    bool inCorso() const;

    // Moves towards obiettivo: springing from the current value when anima, else at once.
    void vaiA(double obiettivo, bool anima);
    // The smallest change worth a frame: smaller steps are not announced, and the spring stops
    // once what is left of its jump is smaller.
    void impostaPasso(double passo) { passo_ = passo > 0 ? passo : sogliaMolla; }

private:
    QVariantAnimation* animazione_;
    std::function<void()> cambiato_;
    double valore_ = 0;
    double obiettivo_ = 0;
    double partenza_ = 0;
    double durata_ = 0;
    double passo_ = sogliaMolla;
    double annunciato_ = 0;  // the value of the last frame announced
};

}  // namespace pulsaro
