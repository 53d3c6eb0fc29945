#include "barra/riquadro_barra.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "barra/testi_barra.h"
#include "platform/tabella_preferenze.h"
#include "widgets/cifre.h"

namespace pulsaro::RiquadroBarra {

namespace TP = TabellaPreferenze;

std::string_view id(Voce v) {
    // The stored key is "riquadro_" and the id: one spelling for both.
    return std::string_view(chiave(v)).substr(std::string_view("riquadro_").size());
}

std::string_view nome(Voce v) {
    switch (v) {
        case Voce::mem:
            return "Mem";
        case Voce::cpu:
            return "CPU";
        case Voce::core:
            return "Core";
        case Voce::gpu:
            return "GPU";
        case Voce::n:
            return "N";
    }
    return {};
}

const char* chiave(Voce v) {
    return TP::vociRiquadro[static_cast<std::size_t>(v)].chiave;
}

bool predefinita(Voce v) {
    return TP::vociRiquadro[static_cast<std::size_t>(v)].predefinito;
}

std::optional<Voce> voce(std::string_view s) {
    for (Voce v : voci)
        if (id(v) == s) return v;
    return std::nullopt;
}

const QColor& arancio() {
    static const QColor c(224, 138, 79);
    return c;
}

bool attivo(const Preferenze& p) {
    return TP::iconaRiquadro.leggi(p);
}

bool mostra(const Preferenze& p, Voce v) {
    return TP::vociRiquadro[static_cast<std::size_t>(v)].leggi(p);
}

void imposta(Preferenze& p, Voce v, bool mostrata) {
    TP::vociRiquadro[static_cast<std::size_t>(v)].scrivi(p, mostrata);
}

QColor sfondo(const Preferenze& p) {
    return colore(TP::coloreRiquadro.leggi(p)).value_or(arancio());
}

std::string hex(const QColor& c) {
    const QColor rgb = c.isValid() ? c.toRgb() : arancio();
    auto byte = [](float x) { return static_cast<int>(std::lround(std::clamp(x, 0.0f, 1.0f) * 255.0f)); };
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", byte(rgb.redF()), byte(rgb.greenF()), byte(rgb.blueF()));
    return buf;
}

std::optional<QColor> colore(std::string_view s) {
    // Digits only: no sign, no "0x", nothing the usual number parsers would let through.
    const auto cifre = TP::seiCifre(s);
    if (!cifre) return std::nullopt;
    const unsigned valore = static_cast<unsigned>(std::stoul(*cifre, nullptr, 16));
    return QColor(static_cast<int>((valore >> 16) & 0xFF), static_cast<int>((valore >> 8) & 0xFF),
                  static_cast<int>(valore & 0xFF));
}

double luminanza(const QColor& c) {
    if (!c.isValid()) return 0.0;
    const QColor rgb = c.toRgb();
    auto lineare = [](double x) {
        x = std::clamp(x, 0.0, 1.0);
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineare(rgb.redF()) + 0.7152 * lineare(rgb.greenF()) + 0.0722 * lineare(rgb.blueF());
}

double contrasto(const QColor& a, const QColor& b) {
    const double la = luminanza(a), lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor testo(const QColor& su) {
    QColor scelto = Qt::black;
    for (const QColor& candidato : {arancio(), QColor(Qt::white)})
        if (contrasto(candidato, su) > contrasto(scelto, su)) scelto = candidato;
    return scelto;
}

QColor colorePallino(bool acceso, const QColor& sfondo) {
    const bool scuro = luminanza(sfondo) < 0.35;
    if (acceso) return scuro ? QColor::fromRgbF(0.45f, 0.92f, 0.45f) : QColor::fromRgbF(0.05f, 0.55f, 0.16f);
    return scuro ? QColor::fromRgbF(0.8f, 0.8f, 0.8f) : QColor::fromRgbF(0.42f, 0.42f, 0.42f);
}

namespace {

QString percento(double p) {
    // Clamped, so that the tile never shows a reading it cannot fit.
    if (!(p > 0)) p = 0;
    if (p > 100) p = 100;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3.0f%%", p);
    return QString::fromLatin1(buf);
}

// Sizes are points, drawn as logical pixels: the images and the measuring device are 72 dpi.
constexpr int puntiPerMetro = 2835;  // 72 dpi

const QPaintDevice* dispositivoMisura() {
    static const QImage img = [] {
        QImage i(1, 1, QImage::Format_ARGB32_Premultiplied);
        i.setDotsPerMeterX(puntiPerMetro);
        i.setDotsPerMeterY(puntiPerMetro);
        return i;
    }();
    return &img;
}

QFont fonte(qreal punti, QFont::Weight peso) {
    // The application's font is the system's unless the application chose another.
    QFont f = QGuiApplication::font();
    f.setPointSizeF(punti);
    f.setWeight(peso);
    return f;
}

struct Fonti {
    QFont etichette = fonte(9.5, QFont::Medium);
    QFont lettera = fonte(10, QFont::Black);
    // Digits of the values in cells of one width, so that the tile does not jitter as they change.
    CifreFisse valori{fonte(11, QFont::DemiBold), dispositivoMisura()};
    const QFontMetricsF& mValori = valori.metriche();
    QFontMetricsF mEtichette{etichette, dispositivoMisura()};
    QFontMetricsF mLettera{lettera, dispositivoMisura()};
};

struct Composizione {
    std::vector<std::pair<QString, QString>> coppie;  // labels already carry their separators
    qreal w = 0, h = 0, ascesa = 0;
    bool conN = false;
    int larghezza = 24;
};

Composizione componi(const Riepilogo& r, const Preferenze& p, int numeroE, const Fonti& f) {
    Composizione c;
    c.coppie = coppie(r, p, numeroE);
    for (std::size_t i = 0; i < c.coppie.size(); ++i) {
        if (i > 0) c.coppie[i].first.prepend(QStringLiteral("  "));
        c.w += f.mEtichette.horizontalAdvance(c.coppie[i].first) + f.valori.larghezza(c.coppie[i].second);
    }
    if (!c.coppie.empty()) {
        c.h = std::max(f.mValori.height(), f.mEtichette.height());
        c.ascesa = std::max(f.mValori.ascent(), f.mEtichette.ascent());
    }
    c.conN = mostra(p, Voce::n);
    c.larghezza = std::max(24, (c.conN ? 20 : 0) + static_cast<int>(std::ceil(c.w)) + 12);
    return c;
}

constexpr qreal altezza = 17;
constexpr qreal diametro = 14;

}  // namespace

std::vector<std::pair<QString, QString>> coppie(const Riepilogo& r, const Preferenze& p, int numeroE) {
    std::vector<std::pair<QString, QString>> v;
    const Misure m = misure(r);
    for (const auto& c : catalogo) {
        // The Neural Engine is the dot, not a pair.
        if (*c.voceRiquadro == '\0' || c.unita == Unita::attivita) continue;
        const auto item = voce(c.voceRiquadro);
        if (!item || !mostra(p, *item)) continue;
        const double valore = m[c.figura].value_or(0);
        if (c.unita == Unita::percento) {
            v.emplace_back(QString::fromUtf8(c.etichetta) + u' ', percento(valore));
        } else if (numeroE >= 1) {
            v.emplace_back(QString::fromUtf8(c.etichetta) + u' ', QString::number(valore, 'f', 0));
        } else if (c.figura == Figura::coreP) {
            // Without efficiency cores the classes mean nothing: one count of busy cores.
            v.emplace_back(QStringLiteral("Core "), QString::number(r.core.totale()));
        }
    }
    return v;
}

QSizeF dimensione(const Riepilogo& r, const Preferenze& p, int numeroE) {
    const Fonti f;
    return QSizeF(componi(r, p, numeroE, f).larghezza, altezza);
}

QImage tela(const Riepilogo& r, const QColor& sfondo, const QSizeF& misura, qreal raggio, qreal dpr) {
    if (!(dpr > 0)) dpr = 1;
    QImage img(static_cast<int>(std::ceil(misura.width() * dpr)),
               static_cast<int>(std::ceil(misura.height() * dpr)), QImage::Format_ARGB32_Premultiplied);
    img.setDotsPerMeterX(puntiPerMetro);
    img.setDotsPerMeterY(puntiPerMetro);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    img.setText(QStringLiteral("Description"), QString::fromStdString(descrizioneRiquadro(r)));
    QPainter pt(&img);
    pt.setRenderHint(QPainter::Antialiasing);
    pt.setPen(Qt::NoPen);
    pt.setBrush(sfondo);
    pt.drawRoundedRect(QRectF(QPointF(0, 0), misura), raggio, raggio);
    return img;
}

QImage immagine(const Riepilogo& r, const QColor& sfondo, const Preferenze& p, int numeroE, qreal dpr) {
    if (!(dpr > 0)) dpr = 1;
    const Fonti f;
    const Composizione c = componi(r, p, numeroE, f);
    const QColor t = testo(sfondo);

    QImage img = tela(r, sfondo, QSizeF(c.larghezza, altezza), 4, dpr);
    QPainter pt(&img);
    pt.setRenderHint(QPainter::Antialiasing);
    pt.setRenderHint(QPainter::TextAntialiasing);

    // The text box sits (17 − h) / 2 above the bottom edge; the same distance from the top.
    qreal x = 6;
    const qreal linea = (altezza - c.h) / 2 + c.ascesa;
    pt.setPen(t);
    for (const auto& [etichetta, valore] : c.coppie) {
        pt.setFont(f.etichette);
        pt.drawText(QPointF(x, linea), etichetta);
        x += f.mEtichette.horizontalAdvance(etichetta);
        x += f.valori.disegna(pt, QPointF(x, linea), valore);
    }

    if (c.conN) {
        const bool acceso = aneAttivo(r.ane);
        const QColor pallino = colorePallino(acceso, sfondo);
        const qreal px = std::ceil(c.w) + 6 + (c.w > 0 ? 6 : 0);
        const qreal py = (altezza - diametro) / 2;
        pt.setPen(Qt::NoPen);
        pt.setBrush(pallino);
        pt.drawEllipse(QRectF(px, py, diametro, diametro));
        const QColor lettera =
            contrasto(Qt::white, pallino) > contrasto(Qt::black, pallino) ? Qt::white : Qt::black;
        const QString n = QStringLiteral("N");
        const qreal lw = f.mLettera.horizontalAdvance(n);
        const qreal lh = f.mLettera.height();
        const QPointF centro(px + diametro / 2, py + diametro / 2);
        pt.setFont(f.lettera);
        pt.setPen(lettera);
        pt.drawText(QPointF(centro.x() - lw / 2, centro.y() - lh / 2 + f.mLettera.ascent()), n);
    }
    return img;
}

QImage immagine(const Riepilogo& r, const QColor& sfondo, const Preferenze& p, qreal dpr) {
    return immagine(r, sfondo, p, r.core.numeroE, dpr);
}

QImage immagine(const Riepilogo& r, const Preferenze& p, qreal dpr) {
    return immagine(r, sfondo(p), p, dpr);
}

}  // namespace pulsaro::RiquadroBarra
