// Pictures of the popover and of the main window in their states, each in light and dark.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <memory>
#include <vector>

#include "galleria.h"
#include "panels/mini_pannello.h"
#include "panels/pannello.h"
#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/monitor.h"
#include "support/sonde_mute.h"
#include "widgets/tema.h"

namespace {

using namespace pulsaro;

constexpr qreal dpr = 2;
constexpr int margine = 16;

using Scena = prova::ScenaMuta;

std::vector<UsoProcesso> nove() {
    return {
        {101, "WindowServer", 48.2, 31.0, 0, false, 812ull << 20},
        {202, "Safari Web Content (un nome molto lungo che va tagliato)", 150, 4.5, 0, false, 1610612736},
        {303, "python3", 9.96, 88.4, 3, true, 4ull << 30},
        {404, "kernel_task", 7.1, 0, 0, false, 96ull << 20},
        {505, "Xcode", 0.4, 72.0, 0, false, 2ull << 30},
        {606, "mds_stores", 0, 0, 0, false, 524288000},
        {707, "<b>non grassetto</b>", 63.0, 12.0, 0, false, 300ull << 20},
        {808, "coreml", 2.5, 1.0, 9, true, 700ull << 20},
        {909, "Finder", 0.2, 0, 0, false, 120ull << 20},
    };
}

UsoTotale totale() {
    UsoTotale t;
    t.cpu = 37.5;
    t.core = {3, 1, 6, 4};
    t.gpu = 64.2;
    t.gpuWatt = 4.3;
    t.ane = 12;
    t.aneWatt = 0.8;
    t.aneApp = {"coreml", "python3"};
    return t;
}

// Lets the panel lay itself out and settle, off screen.
void assesta(QWidget& w, int ms = 350) {
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.show();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

QImage foto(QWidget& w, Aspetto a) {
    QImage img(QSize(w.width() + 2 * margine, w.height() + 2 * margine) * dpr,
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(a == Aspetto::scuro ? QColor(60, 60, 64) : QColor(200, 200, 204));
    QPainter p(&img);
    w.render(&p, QPoint(margine, margine), QRegion(), QWidget::DrawChildren);
    return img;
}

// Light on the left, dark on the right.
QImage coppia(const std::function<QImage(Aspetto)>& f) {
    const QImage chiaro = f(Aspetto::chiaro);
    const QImage scuro = f(Aspetto::scuro);
    QImage img(QSize(chiaro.width() + scuro.width(), std::max(chiaro.height(), scuro.height())),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawImage(QPointF(0, 0), chiaro);
    p.drawImage(QPointF(chiaro.width() / dpr, 0), scuro);
    p.end();
    return img;
}

enum class StatoMini { tutto, fonteGuasta, chiusa, vuota };

QImage mini(StatoMini s) {
    return coppia([s](Aspetto a) {
        const AspettoImposto imposto(a);
        Scena scena;
        Monitor& m = *scena.monitor;
        TabellaPreferenze::miniListaAperta.scrivi(scena.preferenze, s != StatoMini::chiusa);
        if (s != StatoMini::vuota) m.processi.assegna(nove());
        m.totale.assegna(totale());
        if (s == StatoMini::fonteGuasta) m.stato.assegna(StatoFonti{true, false, false});
        MiniPannello pannello(m, scena.preferenze, {});
        assesta(pannello);
        return foto(pannello, a);
    });
}

enum class StatoPrincipale { barre, contagiri, seguito, terminato, chiusa, vuota };

QImage principale(StatoPrincipale s) {
    return coppia([s](Aspetto a) {
        const AspettoImposto imposto(a);
        Scena scena;
        Monitor& m = *scena.monitor;
        TabellaPreferenze::vista.scrivi(scena.preferenze, s == StatoPrincipale::contagiri ? 1 : 0);
        TabellaPreferenze::listaAperta.scrivi(scena.preferenze, s != StatoPrincipale::chiusa);
        std::vector<UsoProcesso> processi = nove();
        if (s == StatoPrincipale::terminato) processi.erase(processi.begin() + 2);  // 303 has ended
        if (s != StatoPrincipale::vuota) m.processi.assegna(processi);
        m.totale.assegna(totale());
        if (s == StatoPrincipale::seguito || s == StatoPrincipale::terminato) {
            m.impostaSeguito(303);
            if (s == StatoPrincipale::seguito) m.dettaglio.assegna(nove()[2]);
        }
        Pannello pannello(m, scena.preferenze);
        pannello.resize(980, 760);
        assesta(pannello);
        pannello.resize(980, pannello.heightForWidth(980));
        assesta(pannello, 50);
        return foto(pannello, a);
    });
}

}  // namespace

GALLERIA("pannelli_mini_tutto") {
    return mini(StatoMini::tutto);
}
GALLERIA("pannelli_mini_fonte_guasta") {
    return mini(StatoMini::fonteGuasta);
}
GALLERIA("pannelli_mini_lista_chiusa") {
    return mini(StatoMini::chiusa);
}
GALLERIA("pannelli_mini_lista_vuota") {
    return mini(StatoMini::vuota);
}
GALLERIA("pannelli_principale_barre") {
    return principale(StatoPrincipale::barre);
}
GALLERIA("pannelli_principale_contagiri") {
    return principale(StatoPrincipale::contagiri);
}
GALLERIA("pannelli_principale_seguito") {
    return principale(StatoPrincipale::seguito);
}
GALLERIA("pannelli_principale_terminato") {
    return principale(StatoPrincipale::terminato);
}
GALLERIA("pannelli_principale_lista_chiusa") {
    return principale(StatoPrincipale::chiusa);
}
GALLERIA("pannelli_principale_vuota") {
    return principale(StatoPrincipale::vuota);
}
