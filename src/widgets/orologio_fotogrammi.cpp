#include "widgets/orologio_fotogrammi.h"

#include <QTimerEvent>
#include <QWidget>
#include <algorithm>

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
    // A coarse timer: the system may move a frame by a few milliseconds to wake us together with
    // other timers, which nobody sees in a spring.
    if (!timer_.isActive() && !tempo_) timer_.start(intervalloMs, Qt::CoarseTimer, this);
}

void OrologioFotogrammi::togli(Animato* a) {
    std::erase(animati_, a);
    if (animati_.empty()) timer_.stop();
}

void OrologioFotogrammi::battito() {
    const double t = ora();
    ++fotogrammi_;
    // A spring may be removed (its widget deleted) while another one repaints: walk a copy.
    const std::vector<Animato*> tutti = animati_;
    for (Animato* a : tutti)
        if (std::find(animati_.begin(), animati_.end(), a) != animati_.end() && !a->avanza(t)) togli(a);
    if (animati_.empty()) timer_.stop();
}

void OrologioFotogrammi::timerEvent(QTimerEvent* e) {
    if (e->timerId() == timer_.timerId())
        battito();
    else
        QObject::timerEvent(e);
}

}  // namespace pulsaro
