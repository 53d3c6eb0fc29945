#include "widgets/cifre.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <list>
#include <utility>

#include "widgets/testi_statici.h"

namespace pulsaro {

namespace {

bool cifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool soloSpazi(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); });
}

QFontMetricsF metricheSu(const QFont& font, const QPaintDevice* dispositivo) {
    // QFontMetricsF takes a non-const device only to read its resolution.
    return dispositivo ? QFontMetricsF(font, const_cast<QPaintDevice*>(dispositivo)) : QFontMetricsF(font);
}

// The widgets ask for the same few dozen fonts on every paint; the least recently used goes first.
constexpr std::size_t fontMassimi = 64;

const CifreFisse& perFont(const QFont& font) {
    static std::list<std::pair<QFont, CifreFisse>> fonts;
    for (auto it = fonts.begin(); it != fonts.end(); ++it)
        if (it->first == font) {
            if (it != fonts.begin()) fonts.splice(fonts.begin(), fonts, it);
            return fonts.front().second;
        }
    if (fonts.size() >= fontMassimi) fonts.pop_back();
    fonts.emplace_front(font, CifreFisse(font));
    return fonts.front().second;
}

}  // namespace

CifreFisse::CifreFisse(const QFont& font, const QPaintDevice* dispositivo)
    : font_(font), metriche_(metricheSu(font, dispositivo)) {
    double minimo = 0;
    for (char16_t d = u'0'; d <= u'9'; ++d) {
        const double a = metriche_.horizontalAdvance(QChar(d));
        cella_ = std::max(cella_, a);
        minimo = d == u'0' ? a : std::min(minimo, a);
    }
    uguali_ = cella_ - minimo < 1e-3;
}

std::vector<CifreFisse::Pezzo> CifreFisse::pezzi(const QString& testo) const {
    if (uguali_) return {{testo, 0}};
    std::vector<Pezzo> r;
    double x = 0;
    qsizetype i = 0;
    while (i < testo.size()) {
        if (cifra(testo[i])) {
            const QString d(testo[i]);
            r.push_back({d, x + (cella_ - metriche_.horizontalAdvance(d)) / 2});
            x += cella_;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < testo.size() && !cifra(testo[j])) ++j;
        const QString corsa = testo.mid(i, j - i);
        if (!soloSpazi(corsa)) r.push_back({corsa, x});
        x += metriche_.horizontalAdvance(corsa);
        i = j;
    }
    return r;
}

double CifreFisse::larghezza(const QString& testo) const {
    if (uguali_) return metriche_.horizontalAdvance(testo);
    double w = 0;
    qsizetype i = 0;
    while (i < testo.size()) {
        if (cifra(testo[i])) {
            w += cella_;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < testo.size() && !cifra(testo[j])) ++j;
        w += metriche_.horizontalAdvance(testo.mid(i, j - i));
        i = j;
    }
    return w;
}

double CifreFisse::disegna(QPainter& p, const QPointF& origine, const QString& testo) const {
    p.setFont(font_);
    for (const Pezzo& k : pezzi(testo)) p.drawText(origine + QPointF(k.x, 0), k.testo);
    return larghezza(testo);
}

QSizeF misuraCifre(const QString& testo, const QFont& font) {
    const CifreFisse& c = perFont(font);
    if (c.giaTabellari()) return misuraTesto(testo, font);
    return {c.larghezza(testo), c.metriche().height()};
}

void disegnaCifre(QPainter& p, const QPointF& angolo, const QString& testo, const QFont& font) {
    for (const CifreFisse::Pezzo& k : perFont(font).pezzi(testo))
        disegnaTesto(p, angolo + QPointF(k.x, 0), k.testo, font);
}

QString testoCifreTagliato(const QString& testo, const QFont& font, double larghezza) {
    if (misuraCifre(testo, font).width() <= larghezza) return testo;
    const QString puntini(QChar(0x2026));
    QString t = testo;
    while (!t.isEmpty() && misuraCifre(t + puntini, font).width() > larghezza) t.chop(1);
    return t + puntini;
}

}  // namespace pulsaro
