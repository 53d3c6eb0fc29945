#include "panels/riga_mini.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "panels/accessibile_pannelli.h"
#include "panels/cache_icone.h"
#include "panels/icona_processo.h"
#include "sampling/testi.h"
#include "widgets/accessibile.h"
#include "widgets/barra.h"
#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/elementi_processo.h"
#include "widgets/risorsa.h"
#include "widgets/testi_statici.h"

namespace pulsaro {

namespace {

constexpr double paddingOrizzontale = 8;
constexpr double paddingVerticale = 5;
constexpr double spaziatura = 8;
constexpr double raggio = 8;

QFont fontNome() {
    return carattere(StileTesto::caption);
}
QFont fontMemoria() {
    return carattere(9);
}

double altezzaBlocco() {
    return QFontMetricsF(fontNome()).height() + QFontMetricsF(fontMemoria()).height();
}

}  // namespace

RigaMini::RigaMini(CacheIcone& icone, QWidget* padre) : QWidget(padre), icone_(icone) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // It paints its corners itself: a changed row does not repaint the popover under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    arrivate_ = icone.osserva([this](std::int32_t pid) {
        if (pid == processo_.id) update(testata());
    });
}

void RigaMini::imposta(const UsoProcesso& p, bool seguito) {
    const bool intestazione = stessaIntestazione(p, processo_);
    const UsoProcesso prima = std::exchange(processo_, p);
    seguito_ = seguito;
    // What reads differently is repainted: the icon, name and memory when another process or
    // figure comes in, and each bar whose value moved. When the order changes, idle processes
    // bring the same empty bars.
    if (!intestazione) update(testata());
    for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k) {
        const Risorsa r = Risorsa::perProcesso[k];
        if (!stessaBarra(r.valore(prima), r.valore(p))) update(ingombroBarra(rettangoloBarra(k)));
    }
    if (annunciAttivi()) annunciaRiga(this, prima);
}

void RigaMini::impostaCorrente(bool corrente) {
    if (corrente == corrente_) return;
    corrente_ = corrente;
    update();
}

QSize RigaMini::sizeHint() const {
    const double contenuto = std::max({latoIconaMini, altezzaBlocco(), altezzaMiniBarra()});
    return {200, static_cast<int>(std::ceil(contenuto + 2 * paddingVerticale))};
}

QRect RigaMini::testata() const {
    return QRectF(0, 0, fineNome(), height()).toAlignedRect();
}

double RigaMini::fineNome() const {
    return paddingOrizzontale + latoIconaMini + spaziatura + larghezzaNomeMini + spaziatura;
}

QRectF RigaMini::rettangoloBarra(std::size_t k) const {
    const QRectF dentro =
        QRectF(rect()).adjusted(paddingOrizzontale, paddingVerticale, -paddingOrizzontale, -paddingVerticale);
    const double n = static_cast<double>(Risorsa::perProcesso.size());
    const double x = fineNome();
    const double w = std::max(0.0, (dentro.right() - x - spaziatura * (n - 1)) / n);
    return QRectF(x + static_cast<double>(k) * (w + spaziatura), dentro.top(), w, dentro.height());
}

void RigaMini::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const Aspetto a = Tema::aspetto();
    p.fillRect(e->rect(), Tema::panel(a));  // the rounded corners, on the popover's panel
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    p.setPen(Qt::NoPen);
    p.setBrush(Tema::card(a));
    p.drawRoundedRect(r, raggio, raggio);

    const QRectF dentro =
        r.adjusted(paddingOrizzontale, paddingVerticale, -paddingOrizzontale, -paddingVerticale);
    // A sample that moved a bar repaints that bar: the name and memory are not laid out again.
    if (e->region().intersects(testata())) {
        double x = dentro.left();
        const double cy = dentro.center().y();
        disegnaIconaProcesso(p, QRectF(x, cy - latoIconaMini / 2, latoIconaMini, latoIconaMini), processo_.id,
                             a, icone_);
        x += latoIconaMini + spaziatura;
        const QFont nome = fontNome();
        const QFont memoria = fontMemoria();
        const double alto = cy - altezzaBlocco() / 2;
        p.setPen(Tema::testoPrimario(a));
        disegnaTesto(p, QPointF(x, alto), testoTagliato(nomeProcesso(processo_), nome, larghezzaNomeMini),
                     nome, QRectF(x, alto, larghezzaNomeMini, QFontMetricsF(nome).height()));
        p.setPen(Tema::testoSecondario(a));
        disegnaCifre(p, QPointF(x, alto + QFontMetricsF(nome).height()),
                     testoCifreTagliato(QString::fromStdString(memoriaTesto(processo_.memoria)), memoria,
                                        larghezzaNomeMini),
                     memoria);
    }
    for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k)
        disegnaMiniBarra(p, rettangoloBarra(k), Risorsa::perProcesso[k].valore(processo_), true, a);
    if (corrente_) {
        p.setPen(QPen(Tema::control(a), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), raggio - 1, raggio - 1);
    }
}

void RigaMini::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
