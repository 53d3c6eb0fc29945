// One frame clock for every spring of a window: at most 12 frames a second, running only from a
// sample that starts a spring until the last spring of the window settles, and waking only when
// some spring has a visible step to show.
#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <vector>

class QWidget;

namespace pulsaro {

// Something the clock moves: a spring.
class Animato {
public:
    virtual ~Animato() = default;
    // Advances to `ora` (seconds of the clock). Returns when it next needs a frame, negative once
    // it has settled and needs no more.
    virtual double avanza(double ora) = 0;
};

// Whether the user asked for reduced motion: PULSARO_MOVIMENTO_RIDOTTO=1 or 0 decides (tests and
// measurements), otherwise the desktop's setting.
bool movimentoRidotto();

class OrologioFotogrammi : public QObject {
    Q_OBJECT

public:
    static constexpr int intervalloMs = 83;  // 12 frames a second at most

    explicit OrologioFotogrammi(QObject* padre = nullptr);
    ~OrologioFotogrammi() override;

    // The clock of w's window, made with the window's first spring; the setting of reduced motion
    // is read then, so a window opened after a change follows it.
    static OrologioFotogrammi* di(QWidget* w);

    double ora() const;
    // Starts the clock if it stands; an animato already there is not added twice.
    void aggiungi(Animato* a);
    void togli(Animato* a);
    bool inCorso() const { return timer_.isActive(); }
    std::size_t animati() const { return animati_.size(); }
    bool ridotto() const { return ridotto_; }
    void impostaRidotto(bool r) { ridotto_ = r; }

    // One frame now; the timer calls it. Tests drive it by hand with impostaTempo.
    void battito();
    // When the next frame is due (clock time), negative when none is.
    double prossimo() const { return prossimo_; }
    void impostaTempo(std::function<double()> tempo) { tempo_ = std::move(tempo); }

    // Frames this clock has run since it was made.
    long fotogrammi() const { return fotogrammi_; }

protected:
    void timerEvent(QTimerEvent* e) override;

private:
    void programma(double quando);

    QBasicTimer timer_;
    QElapsedTimer orologio_;
    std::function<double()> tempo_;
    std::vector<Animato*> animati_;
    bool ridotto_ = false;
    long fotogrammi_ = 0;
    double prossimo_ = -1;
};

}  // namespace pulsaro
