#include "widgets/vista_barre.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "widgets/barra.h"
#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/etichetta_ane.h"
#include "widgets/geometria_barre.h"
#include "widgets/risorsa.h"
#include "widgets/secondo_carattere.h"
#include "widgets/testi_statici.h"

namespace pulsaro {

namespace {

constexpr double spaziaturaNome = 6;  // between the name and its badge
constexpr double spaziaturaBlocco = 1;

QFont fontRango() {
    return secondoCarattere([] { return carattere(StileTesto::caption, QFont::Bold); });
}
QFont fontNome() {
    return secondoCarattere([] { return carattere(StileTesto::body, QFont::Medium); });
}
QFont fontDettaglio() {
    return secondoCarattere([] { return carattere(StileTesto::caption2); });
}

double altezzaRigaNome() {
    return secondoCarattere(
        [] { return std::max(QFontMetricsF(fontNome()).height(), dimensioneEtichettaANE().height()); });
}

double altezzaBloccoNome() {
    return secondoCarattere(
        [] { return altezzaRigaNome() + spaziaturaBlocco + QFontMetricsF(fontDettaglio()).height(); });
}

// Rank, icon, name, badge and memory of a row, with a margin for their smoothing.
QRect testataRiga(const LayoutRiga& l) {
    return l.rango.united(l.icona).united(l.nome).toAlignedRect().adjusted(-2, -2, 2, 2);
}

}  // namespace

double VistaBarre::altezzaRigaCorrente() const {
    // Whole points: every row's edges fall on device pixels.
    return std::ceil(altezzaRiga(std::max({latoIconaRiga, altezzaBloccoNome(), altezzaBarra()})));
}

QRectF VistaBarre::rettangoloRiga(int i) const {
    const double h = altezzaRigaCorrente();
    return QRectF(0, i * (h + spaziaturaRighe), width(), h);
}

std::optional<std::int32_t> VistaBarre::processoIn(const QPointF& punto) const {
    for (std::size_t i = 0; i < processi_.size(); ++i)
        if (rettangoloRiga(static_cast<int>(i)).contains(punto)) return processi_[i].id;
    return std::nullopt;
}

double VistaBarre::larghezzaNomeVisibile(const UsoProcesso& p) const {
    const double spazio = larghezzaNome - (p.usaANE ? spaziaturaNome + dimensioneEtichettaANE().width() : 0);
    const double nome = misuraTesto(nomeProcesso(p), fontNome()).width();
    return std::clamp(std::ceil(nome), 0.0, std::max(0.0, spazio));
}

QRectF VistaBarre::rettangoloEtichetta(int i) const {
    const UsoProcesso& p = processi_[static_cast<std::size_t>(i)];
    if (!p.usaANE) return {};
    const LayoutRiga l = layoutRiga(rettangoloRiga(i));
    const double alto = l.nome.center().y() - altezzaBloccoNome() / 2;
    const QSizeF s = dimensioneEtichettaANE();
    const double x = l.nome.left() + larghezzaNomeVisibile(p) + spaziaturaNome;
    return QRectF(QPointF(x, alto + (altezzaRigaNome() - s.height()) / 2), s);
}

int VistaBarre::heightForWidth(int) const {
    return static_cast<int>(
        std::ceil(altezzaLista(static_cast<int>(processi_.size()), altezzaRigaCorrente())));
}

QSize VistaBarre::sizeHint() const {
    return {560, heightForWidth(560)};
}

QSize VistaBarre::minimumSizeHint() const {
    const double fisso =
        2 * paddingRigaOrizzontale + larghezzaRango + latoIconaRiga + larghezzaNome + 4 * spaziaturaRiga;
    return {static_cast<int>(fisso) + 80, heightForWidth(0)};
}

QRegion VistaBarre::zonaCambiata(int i, const UsoProcesso& prima, const UsoProcesso& dopo) const {
    // A row repaints what reads differently: its header when another process, name or memory
    // comes in, and each bar whose value changed. When the order changes most rows get another
    // process, and idle ones have the same empty bars.
    const LayoutRiga l = layoutRiga(rettangoloRiga(i));
    QRegion zona;
    if (!stessaIntestazione(prima, dopo)) zona += testataRiga(l);
    for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k) {
        const Risorsa r = Risorsa::perProcesso[k];
        if (!stessaBarra(r.valore(prima), r.valore(dopo))) zona += ingombroBarra(l.barre[k]);
    }
    return zona;
}

void VistaBarre::paintEvent(QPaintEvent* evento) {
    QPainter p(this);
    disegnaSfondo(p, evento);
    p.setRenderHint(QPainter::Antialiasing);
    const Aspetto a = Tema::aspetto();
    const QFont rango = fontRango();
    const QFont nome = fontNome();
    const QFont dettaglio = fontDettaglio();
    const double hRango = QFontMetricsF(rango).height();
    const double hNome = altezzaRigaNome();
    const QColor secondario = Tema::testoSecondario(a);
    const QColor primario = Tema::testoPrimario(a);

    const QRegion& regione = evento->region();
    for (std::size_t i = 0; i < processi_.size(); ++i) {
        const QRectF riga = rettangoloRiga(static_cast<int>(i));
        if (!regione.intersects(riga.toAlignedRect().adjusted(-1, -1, 1, 1))) continue;
        const UsoProcesso& pr = processi_[i];
        disegnaFondo(p, riga, raggioRiga, scelto(pr), a);

        const LayoutRiga l = layoutRiga(riga);
        // A sample that moved a bar repaints that bar: the header's texts are not laid out again.
        if (regione.intersects(testataRiga(l))) {
            p.setPen(secondario);
            const QString numero = QString::number(i + 1);
            disegnaTesto(p, l.rango.center() - QPointF(misuraTesto(numero, rango).width() / 2, hRango / 2),
                         numero, rango);

            disegnaIcona(p, l.icona, pr.id, a);

            const double alto = l.nome.center().y() - altezzaBloccoNome() / 2;
            const double wNome = larghezzaNomeVisibile(pr);
            const QString testoNome = testoTagliato(nomeProcesso(pr), nome, wNome + 0.5);
            p.setPen(primario);
            disegnaTesto(p, QPointF(l.nome.left(), alto + (hNome - QFontMetricsF(nome).height()) / 2),
                         testoNome, nome, QRectF(l.nome.left() - 1, alto, wNome + 3, hNome));
            if (pr.usaANE) disegnaEtichettaANE(p, rettangoloEtichetta(static_cast<int>(i)).topLeft(), a);
            p.setPen(secondario);
            disegnaCifre(p, QPointF(l.nome.left(), alto + hNome + spaziaturaBlocco),
                         testoCifreTagliato(testoMemoriaPid(pr), dettaglio, l.nome.width()), dettaglio);
        }

        for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k) {
            const Risorsa r = Risorsa::perProcesso[k];
            if (regione.intersects(ingombroBarra(l.barre[k])))
                disegnaBarra(p, l.barre[k], r.valore(pr), r.breve(), true, a);
        }
    }
}

}  // namespace pulsaro
