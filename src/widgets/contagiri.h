// The dial gauge: a 240° scale with ticks, red zone, value arc, needle, hub and texts.
#pragma once

#include <optional>

#include "widgets/disegno_contagiri.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/indicatore.h"
#include "widgets/molla.h"
#include "widgets/tema.h"

namespace pulsaro {

// The gauge lays itself out in its contents rectangle, with room for its arcs and glow inside it
// (corniceContagiri), so no parent clips it.
class Contagiri : public Indicatore {
public:
    explicit Contagiri(QWidget* padre = nullptr);
    Contagiri(double valore, const QColor& colore, const QString& etichetta, bool attivo,
              QWidget* padre = nullptr);

    void imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo);
    void setValore(double v) { imposta(v, colore_, etichetta_, attivo_); }
    void setAttivo(bool a) { imposta(valore_, colore_, etichetta_, a); }

    QString testo() const;
    // On a flat colour the gauge paints that colour itself: a frame then repaints neither its
    // parents nor what lies under it.
    void impostaFondo(ColoreAdattivo fondo) {
        fondo_ = fondo;
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    double frazioneMostrata() const { return molla_.valore(); }  // where the spring is now

    QSize sizeHint() const override { return {170, 150}; }
    QSize minimumSizeHint() const override { return {20, 18}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    void ridisegnaMolla();

    ValoreMolla molla_;
    QString testo_ = testoContagiri(0, true);  // written once a value, not at every frame
    ImmaginiContagiri immagini_;
    std::optional<ColoreAdattivo> fondo_;
};

}  // namespace pulsaro
