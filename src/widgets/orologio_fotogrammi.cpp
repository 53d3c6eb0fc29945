#include "widgets/orologio_fotogrammi.h"

#include <QTimerEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/movimento.h"

namespace pulsaro {

bool movimentoRidotto() {
    const QByteArray v = qgetenv("PULSARO_MOVIMENTO_RIDOTTO");
    if (v == "1") return true;
    if (v == "0") return false;
    return movimentoRidottoDesktop();
}

OrologioFotogrammi::OrologioFotogrammi(QObject* padre) : QObject(padre) {
    orologio_.start();
}

OrologioFotogrammi::~OrologioFotogrammi() = default;

OrologioFotogrammi* OrologioFotogrammi::di(QWidget* w) {
    if (!w) return nullptr;
    QWidget* finestra = w->window();
    auto* o = finestra->findChild<OrologioFotogrammi*>(QString(), Qt::FindDirectChildrenOnly);
    if (!o) {
        o = new OrologioFotogrammi(finestra);
        o->ridotto_ = movimentoRidotto();
    }
    return o;
}

double OrologioFotogrammi::ora() const {
    return tempo_ ? tempo_() : static_cast<double>(orologio_.nsecsElapsed()) / 1e9;
}

void OrologioFotogrammi::aggiungi(Animato* a) {
    if (std::find(animati_.begin(), animati_.end(), a) == animati_.end()) animati_.push_back(a);
    // A new spring's first frame comes one frame from now, sooner than a later one planned.
    const double primo = ora() + intervalloMs / 1000.0;
    if (prossimo_ < 0 || primo < prossimo_) programma(primo);
}

void OrologioFotogrammi::togli(Animato* a) {
    std::erase(animati_, a);
    if (animati_.empty()) programma(-1);
}

void OrologioFotogrammi::programma(double quando) {
    prossimo_ = quando;
    if (quando < 0 || tempo_) {
        timer_.stop();
        return;
    }
    // A coarse timer: the system may move a frame by a few milliseconds to wake us together with
    // other timers, which nobody sees in a spring.
    const double attesa = std::max(quando - ora(), intervalloMs / 1000.0);
    timer_.start(static_cast<int>(std::lround(attesa * 1000)), Qt::CoarseTimer, this);
}

void OrologioFotogrammi::battito() {
    const double t = ora();
    ++fotogrammi_;
    // A spring may be removed (its widget deleted) while another one repaints: walk a copy.
    double prossimo = -1;
    const std::vector<Animato*> tutti = animati_;
    for (Animato* a : tutti) {
        if (std::find(animati_.begin(), animati_.end(), a) == animati_.end()) continue;
        const double quando = a->avanza(t);
        if (quando < 0)
            std::erase(animati_, a);
        else if (prossimo < 0 || quando < prossimo)
            prossimo = quando;
    }
    // Not before a frame's time from now: 12 frames a second at most.
    programma(animati_.empty() ? -1 : std::max(prossimo, t + intervalloMs / 1000.0));
}

void OrologioFotogrammi::timerEvent(QTimerEvent* e) {
    if (e->timerId() == timer_.timerId())
        battito();
    else
        QObject::timerEvent(e);
}

}  // namespace pulsaro
