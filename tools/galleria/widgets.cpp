// Pictures of the usage widgets at their sizes and edge values, each in light and dark.
#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QThread>
#include <QWidget>
#include <chrono>
#include <cmath>
#include <functional>
#include <vector>

#include "galleria.h"
#include "panels/cache_icone.h"
#include "panels/icona_processo.h"
#include "widgets/barra.h"
#include "widgets/chip_ane.h"
#include "widgets/contagiri.h"
#include "widgets/elementi_processo.h"
#include "widgets/etichetta_ane.h"
#include "widgets/grafico_storia.h"
#include "widgets/tema.h"
#include "widgets/vista_barre.h"
#include "widgets/vista_contagiri.h"

namespace galleria {

// Inter, when installed, stands in for the Mac's system font: its digits are proportional too,
// so the pictures show whether the figures keep their place.
void usaInter() {
    static const bool fatto = [] {
        if (QFontDatabase::hasFamily(QStringLiteral("Inter")))
            QApplication::setFont(QFont(QStringLiteral("Inter")));
        return true;
    }();
    (void)fatto;
}

}  // namespace galleria

namespace {

using namespace pulsaro;

constexpr qreal dpr = 2;
constexpr int margine = 16;

// One cell: a widget made for the appearance in force, and the size of its frame.
struct Cella {
    QSize misura;
    std::function<QWidget*()> crea;
    int bordo = 0;  // room around the frame for drawings that overflow it
};

// Light row above, dark row below; every cell on the panel colour, its frame outlined faintly.
QImage tavola(const std::vector<Cella>& celle, qreal dpr = 2) {
    galleria::usaInter();
    int larghezza = margine, altezza = 0;
    for (const Cella& c : celle) {
        larghezza += c.misura.width() + 2 * c.bordo + margine;
        altezza = std::max(altezza, c.misura.height() + 2 * c.bordo);
    }
    const int riga = altezza + 2 * margine;
    QImage img(QSize(larghezza, 2 * riga) * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    for (int r = 0; r < 2; ++r) {
        const Aspetto a = r == 0 ? Aspetto::chiaro : Aspetto::scuro;
        const AspettoImposto imposto(a);
        p.fillRect(QRect(0, r * riga, larghezza, riga), Tema::panel(a));
        int x = margine;
        for (const Cella& c : celle) {
            QWidget* w = c.crea();
            w->setContentsMargins(c.bordo, c.bordo, c.bordo, c.bordo);
            w->resize(c.misura + QSize(2 * c.bordo, 2 * c.bordo));
            const QPoint origine(x, r * riga + margine);
            p.setPen(QPen(conOpacita(Tema::muted(a), 0.35), 0, Qt::DotLine));
            p.drawRect(QRect(origine + QPoint(c.bordo, c.bordo), c.misura).adjusted(0, 0, -1, -1));
            w->render(&p, origine, QRegion(), QWidget::DrawChildren);
            delete w;
            x += c.misura.width() + 2 * c.bordo + margine;
        }
    }
    return img;
}

// The dotted frame is the widget's own rectangle: the gauge keeps inside it.
Cella contagiri(QSize s, double v, bool attivo, const QString& etichetta = QStringLiteral("CPU")) {
    return {s, [=] { return new Contagiri(v, Tema::orange(), etichetta, attivo); }};
}

Cella barra(double v, bool attiva) {
    return {QSize(200, 30), [=] { return new Barra(v, Tema::orange(), QStringLiteral("CPU"), attiva); }};
}

Cella miniBarra(int larghezza, double v, bool attiva) {
    return {QSize(larghezza, 20), [=] { return new MiniBarra(v, Tema::control(), attiva); }};
}

Cella chip(QSize s, bool acceso, const QString& etichetta = QStringLiteral("ANE")) {
    return {s, [=] { return new ChipANE(acceso, etichetta); }, 8};
}

std::vector<UsoProcesso> otto() {
    return {
        {101, "WindowServer", 48.2, 31.0, 0, false, 812ull << 20},
        {202, "Safari Web Content (un nome molto lungo che va tagliato)", 150, 4.5, 0, false, 1610612736},
        {303, "python3", 9.96, 88.4, 3, true, 4ull << 30},
        {404, "kernel_task", 7.1, 0, 0, false, 96ull << 20},
        {505, "Xcode", 0.4, 72.0, 0, false, 2ull << 30},
        {606, "mds_stores", 0, 0, 0, false, 50ull << 20},
        {707, "<b>non grassetto</b>", 63.0, 12.0, 0, false, 300ull << 20},
        {808, "coreml", -3, 100, 9, true, 700ull << 20},
    };
}

QImage lista(QWidget* w, int larghezza, Aspetto a) {
    galleria::usaInter();
    const AspettoImposto imposto(a);
    w->resize(larghezza, w->heightForWidth(larghezza));
    QImage img(QSize(larghezza + 2 * margine, w->height() + 2 * margine) * dpr,
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    p.fillRect(QRect(QPoint(0, 0), img.deviceIndependentSize().toSize()), Tema::panel(a));
    w->render(&p, QPoint(margine, margine), QRegion(), QWidget::DrawChildren);
    p.end();
    delete w;
    return img;
}

QImage vistaContagiri(int larghezza, Aspetto a) {
    auto* v = new VistaContagiri;
    v->impostaProcessi(otto());
    v->impostaSelezionato(303);
    return lista(v, larghezza, a);
}

// A blue rounded square with a white dot, as an application's icon, at 32 and 64 pixels.
QIcon iconaProva() {
    QIcon icona;
    for (int lato : {32, 64}) {
        QPixmap pm(lato, lato);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(lato / 64.0, lato / 64.0);
        p.setBrush(QColor(0x3E, 0x8B, 0xC8));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(4, 4, 56, 56), 14, 14);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(20, 20, 24, 24));
        icona.addPixmap(pm);
    }
    return icona;
}

QImage vistaBarre(Aspetto a) {
    auto* v = new VistaBarre;
    v->impostaProcessi(otto());
    v->impostaSelezionato(202);
    // Odd processes have an application icon, even ones the gear.
    v->impostaIcona([icona = iconaProva(), ingranaggi = std::make_shared<ImmaginiIngranaggio>()](
                        QPainter& p, const QRectF& r, std::int32_t pid, Aspetto as) {
        if (pid % 2)
            disegnaIconaApplicazione(p, r, icona);
        else
            disegnaIngranaggio(p, r, as, *ingranaggi);
    });
    return lista(v, 680, a);
}

// Values of every width one above the other: the digits must stay in their columns.
QImage cifre(Aspetto a) {
    galleria::usaInter();
    const AspettoImposto imposto(a);
    const std::vector<double> valori{11.1, 18, 40, 47, 88, 100, 0.4, 7.7};
    const int riga = 44;
    QImage img(QSize(2 * margine + 3 * 130, 2 * margine + riga * static_cast<int>(valori.size())) * dpr,
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    p.fillRect(QRect(QPoint(0, 0), img.deviceIndependentSize().toSize()), Tema::panel(a));
    for (std::size_t i = 0; i < valori.size(); ++i) {
        const int y = margine + riga * static_cast<int>(i);
        Barra b(valori[i], Tema::orange(), QStringLiteral("CPU"), true);
        b.resize(120, 30);
        b.render(&p, QPoint(margine, y), QRegion(), QWidget::DrawChildren);
        MiniBarra m(valori[i], Tema::control(), true);
        m.resize(60, 20);
        m.render(&p, QPoint(margine + 130, y), QRegion(), QWidget::DrawChildren);
        Contagiri c(valori[i], Tema::orange(), QString(), true);
        c.resize(60, 42);
        c.render(&p, QPoint(margine + 260, y), QRegion(), QWidget::DrawChildren);
    }
    p.end();
    return img;
}

}  // namespace

GALLERIA("widgets_contagiri_valori") {
    const QSize s(170, 150);
    return tavola({contagiri(s, 0, true), contagiri(s, 50, true), contagiri(s, 150, true),
                   contagiri(s, -3, true), contagiri(s, 80, false), contagiri(s, 9.96, true),
                   contagiri(s, 75, true, QString())});
}

GALLERIA("widgets_contagiri_misure") {
    return tavola({contagiri(QSize(100, 40), 35, true), contagiri(QSize(300, 300), 62, true),
                   contagiri(QSize(20, 18), 90, true),
                   contagiri(QSize(130, 110), 45, true, QStringLiteral("GPU"))});
}

// The smallest sizes, magnified, to check the minimum widths.
GALLERIA("widgets_piccoli_ingranditi") {
    return tavola({contagiri(QSize(100, 40), 35, true), contagiri(QSize(20, 18), 90, true),
                   chip(QSize(20, 20), true), chip(QSize(20, 20), false), miniBarra(30, 0.1, true)},
                  8);
}

GALLERIA("widgets_barre") {
    return tavola({barra(0.4, true), barra(0, true), barra(-2, true), barra(250, true), barra(40, false),
                   barra(45, true), barra(78, true)});
}

GALLERIA("widgets_minibarre") {
    return tavola({miniBarra(60, 9.99, true), miniBarra(60, 0.1, true), miniBarra(60, 0, true),
                   miniBarra(60, 46, true), miniBarra(60, 90, true), miniBarra(60, 250, true),
                   miniBarra(60, 30, false), miniBarra(120, 55, true)});
}

GALLERIA("widgets_chip") {
    return tavola({chip(QSize(170, 150), true), chip(QSize(170, 150), false), chip(QSize(20, 20), true),
                   chip(QSize(20, 20), false), chip(QSize(300, 40), true), chip(QSize(300, 40), false),
                   chip(QSize(120, 120), true, QString())});
}

GALLERIA("widgets_etichetta_ane") {
    return tavola({{QSize(30, 14), [] { return new EtichettaANE; }}});
}

GALLERIA("widgets_icona_processo") {
    static CacheIcone cache([](std::int32_t pid) {
        if (pid != 1) return QImage();
        QImage im(64, 64, QImage::Format_ARGB32_Premultiplied);
        im.fill(Qt::transparent);
        QPainter p(&im);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x3E, 0x8B, 0xC8));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(4, 4, 56, 56), 14, 14);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(20, 20, 24, 24));
        return im;
    });
    // Icons arrive from the cache's own thread: ask for both and wait, so the picture shows them.
    cache.icona(1);
    cache.icona(2);
    for (int i = 0; i < 200 && cache.inAttesa() > 0; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    return tavola({{QSize(28, 28), [] { return new IconaProcesso(1, cache); }},
                   {QSize(28, 28), [] { return new IconaProcesso(2, cache); }},
                   {QSize(16, 16), [] { return new IconaProcesso(1, cache); }},
                   {QSize(16, 16), [] { return new IconaProcesso(2, cache); }},
                   {QSize(40, 26), [] { return new IconaProcesso(2, cache); }}});
}

// The history's graphs over the last hour of three: a build that keeps the P and E cores busy,
// memory creeping up, the GPU and the Neural Engine in bursts with their power.
GALLERIA("widgets_grafici_storia") {
    constexpr double inizio = 600000, durata = 3 * 3600;
    static const Storia storia = [] {
        Storia s;
        for (double t = 0; t < durata; t += 2) {
            const int minuto = static_cast<int>(t / 60);
            const bool build = minuto >= 140 && minuto < 165;
            const bool gpu = minuto % 20 < 5, ane = minuto % 15 == 7;
            Misure m;
            m.imposta(Figura::memoria, 38 + 12 * t / durata);
            m.imposta(Figura::cpu, build ? 82 + 10 * std::sin(t / 40) : 9 + 5 * std::sin(t / 240));
            m.imposta(Figura::coreP, build ? 4 : minuto % 7 == 0);
            m.imposta(Figura::coreE, build ? 3 : 1);
            m.imposta(Figura::gpu, gpu ? 64 + 8 * std::sin(t / 30) : 3);
            m.imposta(Figura::gpuWatt, gpu ? 5.2 : 0.3);
            m.imposta(Figura::ane, ane ? 40 : 0);
            m.imposta(Figura::aneWatt, ane ? 1.1 : 0);
            const auto i = std::chrono::duration_cast<Coda::Istante::duration>(
                std::chrono::duration<double>(inizio + t));
            s.aggiungi(Coda::Istante(i), m);
            if (build) s.pesante(Coda::Istante(i), 4242, "cc1plus", 71);
        }
        return s;
    }();
    using S = SerieGrafico::Stile;
    const auto grafico = [](const char* titolo, std::vector<SerieGrafico> serie) {
        return Cella{QSize(560, 110), [titolo, serie] {
                         auto* g = new GraficoStoria(QString::fromUtf8(titolo), serie, storia);
                         g->impostaIntervallo(Intervallo::ora);
                         // The wall clock reads 15:00 at the end of the three hours.
                         g->nuovoCampione(inizio + durata, 15 * 3600 - inizio - durata);
                         return g;
                     }};
    };
    return tavola({grafico("CPU", {{Figura::cpu, "CPU", Tema::control, S::area, 100},
                                   {Figura::coreP, "core P", Tema::orange, S::linea, 4},
                                   {Figura::coreE, "core E", Tema::green, S::linea, 4}}),
                   grafico("GPU", {{Figura::gpu, "GPU", Tema::control, S::area, 100},
                                   {Figura::gpuWatt, "potenza", Tema::orange, S::linea, 0}}),
                   grafico("Neural Engine", {{Figura::ane, "attivo", Tema::green, S::periodi, 100},
                                             {Figura::aneWatt, "potenza", Tema::orange, S::linea, 0}})});
}

GALLERIA("widgets_vista_contagiri_2col_chiaro") {
    return vistaContagiri(600, Aspetto::chiaro);
}
GALLERIA("widgets_vista_contagiri_2col_scuro") {
    return vistaContagiri(600, Aspetto::scuro);
}
GALLERIA("widgets_vista_contagiri_3col_chiaro") {
    return vistaContagiri(900, Aspetto::chiaro);
}
GALLERIA("widgets_vista_contagiri_3col_scuro") {
    return vistaContagiri(900, Aspetto::scuro);
}
GALLERIA("widgets_cifre_chiaro") {
    return cifre(Aspetto::chiaro);
}
GALLERIA("widgets_cifre_scuro") {
    return cifre(Aspetto::scuro);
}
GALLERIA("widgets_vista_barre_chiaro") {
    return vistaBarre(Aspetto::chiaro);
}
GALLERIA("widgets_vista_barre_scuro") {
    return vistaBarre(Aspetto::scuro);
}
