#include "widgets/lista_processi.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <utility>

#include "widgets/etichetta_ane.h"

namespace pulsaro {

ListaProcessi::ListaProcessi(QWidget* padre) : QWidget(padre) {
    QSizePolicy politica(QSizePolicy::Expanding, QSizePolicy::Preferred);
    politica.setHeightForWidth(true);
    setSizePolicy(politica);
}

void ListaProcessi::impostaProcessi(std::vector<UsoProcesso> processi) {
    const std::vector<UsoProcesso> prima = std::exchange(processi_, std::move(processi));
    processiImpostati();
    if (prima.size() != processi_.size()) {
        updateGeometry();
        update();
        return;
    }
    for (std::size_t i = 0; i < processi_.size(); ++i)
        if (!stessoAspetto(prima[i], processi_[i]))
            update(zonaCambiata(static_cast<int>(i), prima[i], processi_[i]));
}

QRegion ListaProcessi::zonaCambiata(int i, const UsoProcesso&, const UsoProcesso&) const {
    return rettangoloVoce(i).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void ListaProcessi::impostaSelezionato(std::optional<std::int32_t> pid) {
    if (pid == selezionato_) return;
    selezionato_ = pid;
    update();
}

void ListaProcessi::impostaIcona(DisegnoIcona disegno) {
    icona_ = std::move(disegno);
    update();
}

void ListaProcessi::disegnaFondo(QPainter& p, const QRectF& r, double raggio, bool scelto, Aspetto a) {
    // The fill covers the whole card, so its edges fall where the layout puts them.
    p.setPen(Qt::NoPen);
    p.setBrush(scelto ? Tema::chip(a) : Tema::card(a));
    p.drawRoundedRect(r, raggio, raggio);
    if (!scelto) return;
    // The border lies wholly on the selected fill, so its 0.8 opacity is mixed in beforehand:
    // an opaque stroke is painted in place, a translucent one goes through the raster thread pool.
    // Its line sits half outside the path: inset by half its width, it stays inside the card.
    p.setPen(QPen(mescola(Tema::chip(a), Tema::control(a), 0.8), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), raggio - 0.75, raggio - 0.75);
}

void ListaProcessi::disegnaIcona(QPainter& p, const QRectF& cornice, std::int32_t pid, Aspetto a) const {
    if (icona_)
        icona_(p, cornice, pid, a);
    else
        disegnaIngranaggio(p, cornice, a);
}

void ListaProcessi::mousePressEvent(QMouseEvent* e) {
    premuto_ = e->button() == Qt::LeftButton ? processoIn(e->position()) : std::nullopt;
    e->accept();
}

void ListaProcessi::mouseReleaseEvent(QMouseEvent* e) {
    // A click selects only when it is released on the process it was pressed on.
    const auto premuto = std::exchange(premuto_, std::nullopt);
    if (e->button() != Qt::LeftButton || !premuto) return;
    if (processoIn(e->position()) == premuto && seleziona_) seleziona_(*premuto);
}

bool ListaProcessi::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* aiuto = static_cast<QHelpEvent*>(e);
        for (std::size_t i = 0; i < processi_.size(); ++i) {
            const QRectF r = rettangoloEtichetta(static_cast<int>(i));
            if (!r.isEmpty() && r.contains(aiuto->pos())) {
                QToolTip::showText(aiuto->globalPos(), suggerimentoANE(), this, r.toAlignedRect());
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    return QWidget::event(e);
}

void ListaProcessi::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    if (e->type() == QEvent::FontChange || e->type() == QEvent::ApplicationFontChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
