#include "widgets/contagiri.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "widgets/disegno_contagiri.h"
#include "widgets/geometria_contagiri.h"

namespace pulsaro {

Contagiri::Contagiri(QWidget* padre) : Indicatore(padre), molla_(this, [this] { ridisegnaMolla(); }) {}

Contagiri::Contagiri(double valore, const QColor& colore, const QString& etichetta, bool attivo,
                     QWidget* padre)
    : Contagiri(padre) {
    imposta(valore, colore, etichetta, attivo);
}

void Contagiri::imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo) {
    Indicatore::imposta(valore, colore, etichetta, attivo);
    testo_ = testoContagiri(valore_, attivo_);
    // Only a gauge on screen springs; a hidden one is simply at its value when shown.
    molla_.impostaPasso(
        passoVisibile(geometriaContagiri(corniceContagiri(contentsRect()), 0).raggio, devicePixelRatioF()));
    molla_.vaiA(frazioneContagiri(valore, attivo), isVisible());
}

void Contagiri::ridisegnaMolla() {
    // A frame repaints what the needle and the arc swept; the whole arc only when its colour changed.
    const double prima = molla_.precedente();
    const double dopo = molla_.valore();
    const bool colore = Tema::carico(prima * 100).rgba() != Tema::carico(dopo * 100).rgba();
    update(regioneMovimentoContagiri(corniceContagiri(contentsRect()), prima, dopo, colore));
}

QString Contagiri::testo() const {
    return testo_;
}

void Contagiri::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (fondo_) p.fillRect(e->rect(), (*fondo_)(Tema::aspetto()));
    disegnaContagiri(p, corniceContagiri(contentsRect()), molla_.valore(), testo_, etichetta_,
                     Tema::aspetto(), immagini_, &e->region());
}

void Contagiri::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
