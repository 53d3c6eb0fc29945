// The menu-bar tile in its variants, the plain icon and every symbol, at device pixel ratio 2.
#include <QPainter>

#include "barra/icona_barra.h"
#include "barra/riquadro_barra.h"
#include "barra/riquadro_compatto.h"
#include "galleria.h"
#include "impostazioni/anteprima_riquadro.h"
#include "widgets/simboli.h"

using namespace pulsaro;

namespace galleria {
void usaInter();  // widgets.cpp
}

namespace {

constexpr qreal dpr = 2;

Riepilogo campione(double ane = 0.3) {
    galleria::usaInter();
    Riepilogo r = AnteprimaRiquadro::campione();
    r.ane = ane;
    return r;
}

// Only the listed items shown.
void soloVoci(Preferenze& p, std::initializer_list<RiquadroBarra::Voce> mostrate) {
    for (auto v : RiquadroBarra::voci) RiquadroBarra::imposta(p, v, false);
    for (auto v : mostrate) RiquadroBarra::imposta(p, v, true);
}

// The tile over a strip of menu bar of the given colour, so its edges show.
QImage suBarra(const QImage& tile, const QColor& barra) {
    const QSizeF s = tile.deviceIndependentSize();
    QImage img(static_cast<int>((s.width() + 16) * dpr), static_cast<int>(24 * dpr),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(barra);
    QPainter p(&img);
    p.drawImage(QPointF(8, (24 - s.height()) / 2), tile);
    return img;
}

}  // namespace

GALLERIA("riquadro_predefinito") {
    PreferenzeInMemoria p;
    return RiquadroBarra::immagine(campione(), RiquadroBarra::sfondo(p), p, 4, dpr);
}

GALLERIA("riquadro_acceso") {
    PreferenzeInMemoria p;
    return RiquadroBarra::immagine(campione(40), RiquadroBarra::sfondo(p), p, 4, dpr);
}

GALLERIA("riquadro_nulla") {
    PreferenzeInMemoria p;
    soloVoci(p, {});
    return RiquadroBarra::immagine(campione(), RiquadroBarra::arancio(), p, 4, dpr);
}

GALLERIA("riquadro_solo_n") {
    PreferenzeInMemoria p;
    soloVoci(p, {RiquadroBarra::Voce::n});
    return RiquadroBarra::immagine(campione(), RiquadroBarra::arancio(), p, 4, dpr);
}

GALLERIA("riquadro_scuro_riposo") {
    PreferenzeInMemoria p;
    return suBarra(RiquadroBarra::immagine(campione(), QColor(0x1C, 0x1C, 0x1E), p, 4, dpr),
                   QColor(0x3A, 0x3A, 0x3C));
}

GALLERIA("riquadro_scuro_acceso") {
    PreferenzeInMemoria p;
    return suBarra(RiquadroBarra::immagine(campione(40), QColor(0x1C, 0x1C, 0x1E), p, 4, dpr),
                   QColor(0x3A, 0x3A, 0x3C));
}

GALLERIA("riquadro_chiaro_riposo") {
    PreferenzeInMemoria p;
    return suBarra(RiquadroBarra::immagine(campione(), Qt::white, p, 4, dpr), QColor(0xD0, 0xD0, 0xD0));
}

GALLERIA("riquadro_chiaro_acceso") {
    PreferenzeInMemoria p;
    return suBarra(RiquadroBarra::immagine(campione(40), Qt::white, p, 4, dpr), QColor(0xD0, 0xD0, 0xD0));
}

GALLERIA("riquadro_blu_scuro") {
    PreferenzeInMemoria p;
    return RiquadroBarra::immagine(campione(40), QColor(0x1A, 0x2B, 0x6D), p, 4, dpr);
}

GALLERIA("riquadro_estremi") {
    PreferenzeInMemoria p;
    Riepilogo r = campione();
    r.memoria = 104.2;
    r.cpu = -3;
    r.gpu = 100;
    return RiquadroBarra::immagine(r, RiquadroBarra::arancio(), p, 4, dpr);
}

GALLERIA("riquadro_tutto_con_e") {
    PreferenzeInMemoria p;
    RiquadroBarra::imposta(p, RiquadroBarra::Voce::core, true);
    return RiquadroBarra::immagine(campione(), RiquadroBarra::arancio(), p, 4, dpr);
}

GALLERIA("riquadro_tutto_senza_e") {
    PreferenzeInMemoria p;
    RiquadroBarra::imposta(p, RiquadroBarra::Voce::core, true);
    return RiquadroBarra::immagine(campione(), RiquadroBarra::arancio(), p, 0, dpr);
}

GALLERIA("riquadro_anteprima") {
    galleria::usaInter();
    PreferenzeInMemoria p;
    AnteprimaRiquadro a(p, RiquadroBarra::arancio(), nullptr, 4);
    a.resize(a.sizeHint());
    QImage img(a.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(QColor(0xEB, 0xEB, 0xE7));
    a.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// The compact tile as a square tray slot of 22 and of 32 pixels gets it, at its real size.
GALLERIA("riquadro_compatto_22") {
    PreferenzeInMemoria p;
    return RiquadroCompatto::immagine(campione(), RiquadroBarra::arancio(), p, 4, 22, 1);
}

GALLERIA("riquadro_compatto_32") {
    PreferenzeInMemoria p;
    return RiquadroCompatto::immagine(campione(), RiquadroBarra::arancio(), p, 4, 32, 1);
}

GALLERIA("icona_arancio") {
    return iconaBarra(false, dpr);
}

GALLERIA("icona_grigia") {
    return iconaBarra(true, dpr);
}

GALLERIA("simboli") {
    // Every symbol at 16 and at 48 points, on light and on dark.
    constexpr qreal passo = 56;
    const int n = static_cast<int>(std::size(tuttiISimboli));
    QImage img(static_cast<int>(n * passo * dpr), static_cast<int>(2 * 80 * dpr),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(QRectF(0, 80, n * passo, 80), QColor(0x22, 0x22, 0x20));
    for (int i = 0; i < n; ++i) {
        const Simbolo s = tuttiISimboli[i];
        const qreal x = i * passo + 4;
        disegnaSimbolo(p, s, QRectF(x, 4, 48, 48), QColor(0x14, 0x14, 0x13));
        disegnaSimbolo(p, s, QRectF(x + 16, 58, 16, 16), QColor(0x14, 0x14, 0x13));
        disegnaSimbolo(p, s, QRectF(x, 84, 48, 48), QColor(0xE0, 0x8A, 0x4F));
        disegnaSimbolo(p, s, QRectF(x + 16, 138, 16, 16), QColor(0xED, 0xED, 0xEA));
    }
    return img;
}

#define SIMBOLO_GALLERIA(caso)                                                                \
    GALLERIA("simbolo_" #caso) {                                                              \
        return immagineSimbolo(Simbolo::caso, QSizeF(32, 32), QColor(0x14, 0x14, 0x13), dpr); \
    }

SIMBOLO_GALLERIA(contagiri)
SIMBOLO_GALLERIA(spunta)
SIMBOLO_GALLERIA(croce)
SIMBOLO_GALLERIA(avviso)
SIMBOLO_GALLERIA(chevronDestra)
SIMBOLO_GALLERIA(indietro)
SIMBOLO_GALLERIA(ingranaggio)
SIMBOLO_GALLERIA(ingranaggioPieno)
