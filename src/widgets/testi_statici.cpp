#include "widgets/testi_statici.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <cmath>
#include <list>

namespace pulsaro {

namespace {

// Strings per font before the cache starts again: more than a window shows at once, and few
// enough that texts that never come back (the memory and pid of every passing process) stay cheap.
constexpr qsizetype massimo = 128;

struct PerFont {
    QFont font;
    QHash<QString, QStaticText> testi;
    QHash<QString, QString> tagli;  // key: width in quarter points, a separator, the text
};

// Fonts kept: the windows use a few dozen (each gauge size scales its two texts' fonts), and
// starting over when a window's set did not fit would lay every text out again at every frame.
// The least recently used goes first.
constexpr std::size_t fontMassimi = 64;

PerFont& perFont(const QFont& font) {
    static std::list<PerFont> fonts;
    for (auto it = fonts.begin(); it != fonts.end(); ++it)
        if (it->font == font) {
            if (it != fonts.begin()) fonts.splice(fonts.begin(), fonts, it);
            return fonts.front();
        }
    if (fonts.size() >= fontMassimi) fonts.pop_back();
    fonts.push_front({font, {}, {}});
    return fonts.front();
}

const QStaticText& statico(const QString& testo, const QFont& font) {
    PerFont& f = perFont(font);
    auto it = f.testi.find(testo);
    if (it == f.testi.end()) {
        if (f.testi.size() >= massimo) f.testi.clear();
        QStaticText s(testo);
        s.setTextFormat(Qt::PlainText);  // names come from outside: never markup
        s.setPerformanceHint(QStaticText::AggressiveCaching);
        s.prepare(QTransform(), font);
        it = f.testi.insert(testo, s);
    }
    return *it;
}

}  // namespace

QSizeF misuraTesto(const QString& testo, const QFont& font) {
    const QStaticText& s = statico(testo, font);
    return {s.size().width(), QFontMetricsF(font).height()};
}

void disegnaTesto(QPainter& p, const QPointF& angolo, const QString& testo, const QFont& font) {
    if (testo.isEmpty()) return;
    p.setFont(font);
    p.drawStaticText(angolo, statico(testo, font));
}

void disegnaTesto(QPainter& p, const QPointF& angolo, const QString& testo, const QFont& font,
                  const QRectF& riga) {
    if (testo.isEmpty()) return;
    p.save();
    p.setClipRect(riga, Qt::IntersectClip);
    disegnaTesto(p, angolo, testo, font);
    p.restore();
}

QString testoTagliato(const QString& testo, const QFont& font, double larghezza) {
    PerFont& f = perFont(font);
    const QString chiave = QString::number(std::lround(larghezza * 4)) + QChar(0x1F) + testo;
    auto it = f.tagli.find(chiave);
    if (it == f.tagli.end()) {
        if (f.tagli.size() >= massimo) f.tagli.clear();
        it = f.tagli.insert(chiave, QFontMetricsF(font).elidedText(testo, Qt::ElideRight, larghezza));
    }
    return *it;
}

}  // namespace pulsaro
