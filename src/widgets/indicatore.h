// What a bar or a gauge shows: a percentage, its colour, its label and whether the source is live.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace pulsaro {

class Indicatore : public QWidget {
public:
    double valore() const { return valore_; }
    const QColor& colore() const { return colore_; }
    const QString& etichetta() const { return etichetta_; }  // empty when the widget draws none
    bool attivo() const { return attivo_; }

protected:
    explicit Indicatore(QWidget* padre) : QWidget(padre) {}

    // Stores the values and schedules a repaint.
    void imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo);

    double valore_ = 0;
    QColor colore_;
    QString etichetta_;
    bool attivo_ = true;
};

}  // namespace pulsaro
