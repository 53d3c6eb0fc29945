#include "widgets/barra.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/geometria_barre.h"
#include "widgets/pittura.h"
#include "widgets/secondo_carattere.h"
#include "widgets/testi_statici.h"

namespace pulsaro {

namespace {

QFont fontEtichetta() {
    return secondoCarattere([] { return carattere(StileTesto::caption2, QFont::Bold); });
}
QFont fontValore() {
    return secondoCarattere([] { return carattere(StileTesto::caption); });
}
QFont fontMini() {
    return secondoCarattere([] { return carattere(9); });
}

double altezzaDidascalia() {
    return secondoCarattere([] {
        return std::max(QFontMetricsF(fontEtichetta()).height(), QFontMetricsF(fontValore()).height());
    });
}

double altezzaTestoMini() {
    return secondoCarattere([] { return QFontMetricsF(fontMini()).height(); });
}

void traccia(QPainter& p, const QRectF& r, Aspetto a) {
    p.setPen(Qt::NoPen);
    p.setBrush(Tema::line(a));
    p.drawPath(capsula(r));
}

// One line of text centred vertically in r, against its left edge.
void testoASinistra(QPainter& p, const QRectF& r, const QString& testo, const QFont& f) {
    disegnaTesto(p, QPointF(r.left(), r.center().y() - misuraTesto(testo, f).height() / 2), testo, f);
}

// A value against the right edge of r, centred vertically, its digits in steady cells.
void valoreADestra(QPainter& p, const QRectF& r, const QString& testo, const QFont& f) {
    const QSizeF m = misuraCifre(testo, f);
    disegnaCifre(p, QPointF(r.right() - m.width(), r.center().y() - m.height() / 2), testo, f);
}

// A bar's height follows the font, and its colours the palette.
void seguiCambio(QWidget& w, QEvent* e) {
    const auto t = e->type();
    if (t == QEvent::PaletteChange || t == QEvent::ApplicationPaletteChange || t == QEvent::FontChange ||
        t == QEvent::ApplicationFontChange) {
        w.updateGeometry();
        w.update();
    }
}

}  // namespace

double altezzaBarra() {
    return altezzaDidascalia() + spaziaturaBarra + altezzaTracciaBarra;
}

double altezzaMiniBarra() {
    return altezzaTestoMini() + spaziaturaMiniBarra + altezzaTracciaMiniBarra;
}

QRect ingombroBarra(const QRectF& r) {
    return r.toAlignedRect().adjusted(-2, -2, 2, 2);
}

void disegnaBarra(QPainter& p, const QRectF& r, double valore, const QString& etichetta, bool attiva,
                  Aspetto a) {
    const double hc = altezzaDidascalia();
    const double alto = r.top() + std::max(0.0, (r.height() - altezzaBarra()) / 2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF didascalia(r.left(), alto, r.width(), hc);
    p.setPen(Tema::muted(a));
    testoASinistra(p, didascalia, etichetta, fontEtichetta());
    p.setPen(Tema::testoSecondario(a));
    valoreADestra(p, didascalia, testoBarra(valore, attiva), fontValore());

    // Font metrics put the bar at any height: its edges go on device pixels.
    const QRectF barra =
        allineaVerticale(p, QRectF(r.left(), alto + hc + spaziaturaBarra, r.width(), altezzaTracciaBarra));
    traccia(p, barra, a);
    const double w = larghezzaRiempimento(barra.width(), valore, minimoBarra);
    if (w > 0) {
        const QRectF pieno(barra.left(), barra.top(), w, barra.height());
        const QColor c = Tema::carico(valore);
        QLinearGradient g(pieno.topLeft(), pieno.topRight());
        g.setColorAt(0, conOpacita(c, 0.75));
        g.setColorAt(1, c);
        p.setBrush(g);
        p.drawPath(capsula(pieno));
    }
    p.restore();
}

void disegnaMiniBarra(QPainter& p, const QRectF& r, double valore, bool attiva, Aspetto a) {
    const QFont f = fontMini();
    const double ht = altezzaTestoMini();
    const double alto = r.top() + std::max(0.0, (r.height() - altezzaMiniBarra()) / 2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Tema::testoSecondario(a));
    valoreADestra(p, QRectF(r.left(), alto, r.width(), ht), testoMiniBarra(valore, attiva), f);
    const QRectF barra = allineaVerticale(
        p, QRectF(r.left(), alto + ht + spaziaturaMiniBarra, r.width(), altezzaTracciaMiniBarra));
    traccia(p, barra, a);
    const double w = larghezzaRiempimento(barra.width(), valore, minimoMiniBarra);
    if (w > 0) {
        p.setBrush(Tema::carico(valore));
        p.drawPath(capsula(QRectF(barra.left(), barra.top(), w, barra.height())));
    }
    p.restore();
}

// --- Barra --------------------------------------------------------------------------------

Barra::Barra(QWidget* padre) : Indicatore(padre) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

Barra::Barra(double valore, const QColor& colore, const QString& etichetta, bool attiva, QWidget* padre)
    : Barra(padre) {
    imposta(valore, colore, etichetta, attiva);
}

QString Barra::testo() const {
    return testoBarra(valore_, attivo_);
}

QSize Barra::sizeHint() const {
    return {120, static_cast<int>(std::ceil(altezzaBarra()))};
}
QSize Barra::minimumSizeHint() const {
    return {20, static_cast<int>(std::ceil(altezzaBarra()))};
}

void Barra::paintEvent(QPaintEvent*) {
    QPainter p(this);
    disegnaBarra(p, contentsRect(), valore_, etichetta_, attivo_, Tema::aspetto());
}

void Barra::changeEvent(QEvent* e) {
    seguiCambio(*this, e);
    QWidget::changeEvent(e);
}

// --- MiniBarra ----------------------------------------------------------------------------

MiniBarra::MiniBarra(QWidget* padre) : Indicatore(padre) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

MiniBarra::MiniBarra(double valore, const QColor& colore, bool attiva, QWidget* padre) : MiniBarra(padre) {
    imposta(valore, colore, attiva);
}

QString MiniBarra::testo() const {
    return testoMiniBarra(valore_, attivo_);
}

QSize MiniBarra::sizeHint() const {
    return {60, static_cast<int>(std::ceil(altezzaMiniBarra()))};
}
QSize MiniBarra::minimumSizeHint() const {
    return {10, static_cast<int>(std::ceil(altezzaMiniBarra()))};
}

void MiniBarra::paintEvent(QPaintEvent*) {
    QPainter p(this);
    disegnaMiniBarra(p, contentsRect(), valore_, attivo_, Tema::aspetto());
}

void MiniBarra::changeEvent(QEvent* e) {
    seguiCambio(*this, e);
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
