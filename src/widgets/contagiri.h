// The dial gauge: a 240° scale with ticks, red zone, value arc, needle, hub and texts.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "widgets/disegno_contagiri.h"
#include "widgets/molla.h"
#include "widgets/tema.h"

namespace pulsaro {

// The gauge lays itself out in its contents rectangle; margins give the arcs room to overflow.
class Contagiri : public QWidget {
public:
    explicit Contagiri(QWidget* padre = nullptr);
    Contagiri(double valore, const QColor& colore, const QString& etichetta, bool attivo, QWidget* padre = nullptr);

    void imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo);
    void setValore(double v) { imposta(v, colore_, etichetta_, attivo_); }
    void setAttivo(bool a) { imposta(valore_, colore_, etichetta_, a); }

    double valore() const { return valore_; }
    const QColor& colore() const { return colore_; }
    const QString& etichetta() const { return etichetta_; }
    bool attivo() const { return attivo_; }
    QString testo() const;
    double frazioneMostrata() const { return molla_.valore(); }  // where the spring is now

    QSize sizeHint() const override { return {170, 150}; }
    QSize minimumSizeHint() const override { return {20, 18}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    double valore_ = 0;
    QColor colore_;
    QString etichetta_;
    bool attivo_ = true;
    ValoreMolla molla_;
};

}  // namespace pulsaro
