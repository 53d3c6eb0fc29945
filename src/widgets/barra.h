// Horizontal load bars: Barra (label, value, 8-high bar) and MiniBarra (value over a 4-high bar).
#pragma once

#include "widgets/indicatore.h"
#include "widgets/tema.h"

namespace pulsaro {

// Height of a Barra: caption line, spacing and bar.
double altezzaBarra();
double altezzaMiniBarra();

// Paint into r (content centred vertically when r is taller than needed).
// ingombroBarra: all that disegnaBarra or disegnaMiniBarra may touch for r, rounding onto device
// pixels included.
QRect ingombroBarra(const QRectF& r);
void disegnaBarra(QPainter& p, const QRectF& r, double valore, const QString& etichetta, bool attiva,
                  Aspetto a);
void disegnaMiniBarra(QPainter& p, const QRectF& r, double valore, bool attiva, Aspetto a);

class Barra : public Indicatore {
public:
    explicit Barra(QWidget* padre = nullptr);
    Barra(double valore, const QColor& colore, const QString& etichetta, bool attiva,
          QWidget* padre = nullptr);

    void imposta(double valore, const QColor& colore, const QString& etichetta, bool attiva) {
        Indicatore::imposta(valore, colore, etichetta, attiva);
    }
    QString testo() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;
};

class MiniBarra : public Indicatore {
public:
    explicit MiniBarra(QWidget* padre = nullptr);
    MiniBarra(double valore, const QColor& colore, bool attiva, QWidget* padre = nullptr);

    void imposta(double valore, const QColor& colore, bool attiva) {
        Indicatore::imposta(valore, colore, {}, attiva);
    }
    QString testo() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;
};

}  // namespace pulsaro
