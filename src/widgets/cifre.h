// Steady digits: every digit takes the advance of the font's widest digit, so a value keeps its
// place as its digits change. The Mac's system font (and many others) has proportional figures
// by default, and Qt cannot switch a font to tabular ones: every place that shows changing
// figures draws them through here.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <vector>

class QPaintDevice;
class QPainter;

namespace pulsaro {

class CifreFisse {
public:
    // Metrics of `font` on `dispositivo`, or on the application's default device when null.
    explicit CifreFisse(const QFont& font, const QPaintDevice* dispositivo = nullptr);

    const QFont& font() const { return font_; }
    const QFontMetricsF& metriche() const { return metriche_; }
    double cella() const { return cella_; }        // the advance of every digit
    bool giaTabellari() const { return uguali_; }  // the font's own digits are all one width

    // What to draw and where, from the text's start: each digit centred in its cell, and each
    // run of other characters at its own advance. Runs of blanks only move the pen.
    struct Pezzo {
        QString testo;
        double x = 0;
    };
    std::vector<Pezzo> pezzi(const QString& testo) const;

    double larghezza(const QString& testo) const;
    // Draws `testo` with its baseline's left end at `origine`; returns its advance.
    double disegna(QPainter& p, const QPointF& origine, const QString& testo) const;

private:
    QFont font_;
    QFontMetricsF metriche_;
    double cella_ = 0;
    bool uguali_ = true;
};

// The widgets' forms, with the laid-out texts cached (see testi_statici.h): size (advance,
// line height), drawing with the line box's top left at `angolo`, and cutting with "…".
QSizeF misuraCifre(const QString& testo, const QFont& font);
void disegnaCifre(QPainter& p, const QPointF& angolo, const QString& testo, const QFont& font);
QString testoCifreTagliato(const QString& testo, const QFont& font, double larghezza);

}  // namespace pulsaro
