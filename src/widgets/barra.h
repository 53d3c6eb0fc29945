// Horizontal load bars: Barra (label, value, 8-high bar) and MiniBarra (value over a 4-high bar).
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "widgets/tema.h"

namespace pulsaro {

// Height of a Barra: caption line, spacing and bar.
double altezzaBarra();
double altezzaMiniBarra();

// Paint into r (content centred vertically when r is taller than needed).
void disegnaBarra(QPainter& p, const QRectF& r, double valore, const QString& etichetta, bool attiva, Aspetto a);
void disegnaMiniBarra(QPainter& p, const QRectF& r, double valore, bool attiva, Aspetto a);

class Barra : public QWidget {
public:
    explicit Barra(QWidget* padre = nullptr);
    Barra(double valore, const QColor& colore, const QString& etichetta, bool attiva, QWidget* padre = nullptr);

    void imposta(double valore, const QColor& colore, const QString& etichetta, bool attiva);
    double valore() const { return valore_; }
    const QColor& colore() const { return colore_; }
    const QString& etichetta() const { return etichetta_; }
    bool attiva() const { return attiva_; }
    QString testo() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    double valore_ = 0;
    QColor colore_;
    QString etichetta_;
    bool attiva_ = true;
};

class MiniBarra : public QWidget {
public:
    explicit MiniBarra(QWidget* padre = nullptr);
    MiniBarra(double valore, const QColor& colore, bool attiva, QWidget* padre = nullptr);

    void imposta(double valore, const QColor& colore, bool attiva);
    double valore() const { return valore_; }
    const QColor& colore() const { return colore_; }
    bool attiva() const { return attiva_; }
    QString testo() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    double valore_ = 0;
    QColor colore_;
    bool attiva_ = true;
};

}  // namespace pulsaro
