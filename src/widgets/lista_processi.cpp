#include "widgets/lista_processi.h"

#include <QAccessible>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "widgets/accessibile.h"
#include "widgets/etichetta_ane.h"
#include "widgets/ordine_fermo.h"
#include "widgets/risorsa.h"

namespace pulsaro {

ListaProcessi::ListaProcessi(QWidget* padre) : QWidget(padre) {
    QSizePolicy politica(QSizePolicy::Expanding, QSizePolicy::Preferred);
    politica.setHeightForWidth(true);
    setSizePolicy(politica);
    setFocusPolicy(Qt::StrongFocus);
    // The views paint the panel's colour between their cards: a changed figure then repaints
    // neither the window, the scroll area nor the panel under the list.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ListaProcessi::disegnaSfondo(QPainter& p, const QPaintEvent* e) {
    p.fillRect(e->rect(), Tema::panel(Tema::aspetto()));
}

void ListaProcessi::impostaProcessi(std::vector<UsoProcesso> processi) {
    ultimi_ = processi;
    if (ordineBloccato()) processi = ordineFermo(processi_, processi);
    mostra(std::move(processi));
}

void ListaProcessi::riprendiOrdine() {
    if (!ordineBloccato() && ultimi_ != processi_) mostra(ultimi_);
}

void ListaProcessi::enterEvent(QEnterEvent* e) {
    sopra_ = true;
    QWidget::enterEvent(e);
}

void ListaProcessi::leaveEvent(QEvent* e) {
    sopra_ = false;
    riprendiOrdine();
    QWidget::leaveEvent(e);
}

void ListaProcessi::mostra(std::vector<UsoProcesso> processi) {
    const std::optional<int> corrente = rigaCorrente();
    const std::vector<UsoProcesso> prima = std::exchange(processi_, std::move(processi));
    processiImpostati();
    // The keyboard's process has left the list: the keyboard stays at its place, on the row there now.
    if (corrente && !rigaCorrente() && !processi_.empty())
        corrente_ = processi_[std::min(static_cast<std::size_t>(*corrente), processi_.size() - 1)].id;
    annunciaCambi(prima);
    if (anello_ && rigaCorrente() != corrente) aggiornaAnello(corrente);
    if (prima.size() != processi_.size()) {
        updateGeometry();
        update();
        return;
    }
    for (std::size_t i = 0; i < processi_.size(); ++i) {
        if (stessoAspetto(prima[i], processi_[i])) continue;
        // The followed process's fill takes the whole item, where it leaves and where it arrives.
        const int voce = static_cast<int>(i);
        update(scelto(prima[i]) != scelto(processi_[i]) ? zonaVoce(voce)
                                                        : zonaCambiata(voce, prima[i], processi_[i]));
    }
}

QRegion ListaProcessi::zonaVoce(int i) const {
    return rettangoloVoce(i).toAlignedRect().adjusted(-1, -1, 1, 1);
}

QRegion ListaProcessi::zonaCambiata(int i, const UsoProcesso&, const UsoProcesso&) const {
    return zonaVoce(i);
}

void ListaProcessi::impostaSelezionato(std::optional<std::int32_t> pid) {
    if (pid == selezionato_) return;
    selezionato_ = pid;
    update();
    if (!annunciAttivi()) return;
    QAccessibleEvent e(this, QAccessible::SelectionWithin);
    annuncia(e);
}

std::optional<int> ListaProcessi::rigaCorrente() const {
    if (!corrente_) return std::nullopt;
    for (std::size_t i = 0; i < processi_.size(); ++i)
        if (processi_[i].id == *corrente_) return static_cast<int>(i);
    return std::nullopt;
}

void ListaProcessi::attivaRiga(int i) {
    if (i < 0 || i >= static_cast<int>(processi_.size())) return;
    if (seleziona_) seleziona_(processi_[static_cast<std::size_t>(i)].id);
}

void ListaProcessi::portaARiga(int i) {
    anello_ = true;
    vaiA(i);
    setFocus(Qt::OtherFocusReason);
}

void ListaProcessi::vaiA(int i) {
    if (processi_.empty()) return;
    const std::optional<int> prima = rigaCorrente();
    i = std::clamp(i, 0, static_cast<int>(processi_.size()) - 1);
    corrente_ = processi_[static_cast<std::size_t>(i)].id;
    aggiornaAnello(prima);
    // Inside a scroll area the row comes into view.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w); area && area->widget()) {
            const QRectF r = rettangoloVoce(i);
            const QPoint c = mapTo(area->widget(), r.center().toPoint());
            area->ensureVisible(c.x(), c.y(), 0, static_cast<int>(r.height() / 2) + 4);
            break;
        }
    if (hasFocus()) annunciaFuoco();
}

void ListaProcessi::aggiornaAnello(std::optional<int> prima) {
    for (const std::optional<int> i : {prima, rigaCorrente()})
        if (i) update(rettangoloVoce(*i).toAlignedRect().adjusted(-3, -3, 3, 3));
}

void ListaProcessi::annunciaFuoco() {
    const std::optional<int> i = rigaCorrente();
    if (!i || !annunciAttivi()) return;
    QAccessibleEvent e(this, QAccessible::Focus);
    e.setChild(*i);
    annuncia(e);
}

void ListaProcessi::annunciaCambi(const std::vector<UsoProcesso>& prima) {
    // One announcement per row and figure that reads differently, once per sample.
    if (!annunciAttivi()) return;
    if (prima.size() != processi_.size()) {
        QAccessibleEvent e(this, QAccessible::ObjectReorder);
        annuncia(e);
    }
    QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(this);
    for (std::size_t i = 0; i < processi_.size(); ++i) {
        const UsoProcesso& p = processi_[i];
        const bool nuova = i >= prima.size();
        if (!nuova && nomeRigaAccessibile(prima[i]) == nomeRigaAccessibile(p)) continue;
        QAccessibleEvent nome(this, QAccessible::NameChanged);
        nome.setChild(static_cast<int>(i));
        annuncia(nome);
        QAccessibleInterface* riga = lista ? lista->child(static_cast<int>(i)) : nullptr;
        for (std::size_t k = 0; riga && k < Risorsa::perProcesso.size(); ++k) {
            const Risorsa r = Risorsa::perProcesso[k];
            if (!nuova && testoValoreAccessibile(r.valore(prima[i])) == testoValoreAccessibile(r.valore(p)))
                continue;
            if (QAccessibleInterface* q = riga->child(static_cast<int>(k))) {
                QAccessibleValueChangeEvent v(q, q->valueInterface()->currentValue());
                annuncia(v);
            }
        }
    }
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
        disegnaIngranaggio(p, cornice, a, ingranaggi_);
}

void ListaProcessi::mousePressEvent(QMouseEvent* e) {
    premuto_ = e->button() == Qt::LeftButton ? processoIn(e->position()) : std::nullopt;
    if (premuto_) corrente_ = premuto_;
    if (anello_) {
        anello_ = false;  // the mouse needs no outline
        update();
    }
    e->accept();
}

void ListaProcessi::keyPressEvent(QKeyEvent* e) {
    const int n = static_cast<int>(processi_.size());
    const std::optional<int> i = rigaCorrente();
    int verso = 0;
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            verso = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            verso = 1;
            break;
        case Qt::Key_Home:
            anello_ = true;
            vaiA(0);
            return;
        case Qt::Key_End:
            anello_ = true;
            vaiA(n - 1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (i) {
                attivaRiga(*i);
                return;
            }
            break;
        default:
            break;
    }
    if (verso == 0 || n == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    anello_ = true;
    vaiA(i ? *i + verso : 0);
}

void ListaProcessi::focusInEvent(QFocusEvent* e) {
    fuoco_ = true;
    QWidget::focusInEvent(e);
    const Qt::FocusReason r = e->reason();
    if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::ShortcutFocusReason)
        anello_ = true;
    // The keyboard lands on its row, else on the followed process, else on the first.
    if (!rigaCorrente()) {
        corrente_ = selezionato_;
        if (!rigaCorrente() && !processi_.empty()) corrente_ = processi_.front().id;
    }
    aggiornaAnello(std::nullopt);
    annunciaFuoco();
}

void ListaProcessi::focusOutEvent(QFocusEvent* e) {
    fuoco_ = false;
    QWidget::focusOutEvent(e);
    aggiornaAnello(std::nullopt);
    riprendiOrdine();
}

void ListaProcessi::mouseReleaseEvent(QMouseEvent* e) {
    // A click selects only when it is released on the process it was pressed on.
    const auto premuto = std::exchange(premuto_, std::nullopt);
    if (e->button() != Qt::LeftButton || !premuto) return;
    if (processoIn(e->position()) == premuto && seleziona_) seleziona_(*premuto);
}

bool ListaProcessi::event(QEvent* e) {
    if (e->type() == QEvent::Paint) {
        const bool fatto = QWidget::event(e);
        // The keyboard's row, outlined over what the view has drawn.
        if (const std::optional<int> i = rigaCorrente(); anello_ && hasFocus() && i) {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(Tema::control(Tema::aspetto()), 2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(rettangoloVoce(*i).adjusted(-1, -1, 1, 1), 11, 11);
        }
        return fatto;
    }
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
