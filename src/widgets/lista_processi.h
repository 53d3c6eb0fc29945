// What the two process lists share: the ranked processes, the selection, the icon hook, the click
// that selects, the ANE badge's tooltip and the repaint on palette or font changes.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "sampling/uso.h"
#include "widgets/elementi_processo.h"
#include "widgets/tema.h"

namespace pulsaro {

class ListaProcessi : public QWidget {
public:
    explicit ListaProcessi(QWidget* padre = nullptr);

    void impostaProcessi(std::vector<UsoProcesso> processi);
    void impostaSelezionato(std::optional<std::int32_t> pid);
    void impostaSeleziona(std::function<void(std::int32_t)> seleziona) { seleziona_ = std::move(seleziona); }
    void impostaIcona(DisegnoIcona disegno);

    const std::vector<UsoProcesso>& processi() const { return processi_; }
    std::optional<std::int32_t> selezionato() const { return selezionato_; }

    // The process under a point of this widget, if any.
    virtual std::optional<std::int32_t> processoIn(const QPointF& punto) const = 0;

    bool hasHeightForWidth() const override { return true; }

protected:
    // Where item i is drawn, in this widget's coordinates.
    virtual QRectF rettangoloVoce(int i) const = 0;
    // The ANE badge of item i in this widget's coordinates; empty when it has none.
    virtual QRectF rettangoloEtichetta(int i) const = 0;
    // Called once the new processes are in place, before the widget is laid out and repainted.
    virtual void processiImpostati() {}
    // What item i must repaint when its process draws differently: by default its whole card.
    virtual QRegion zonaCambiata(int i, const UsoProcesso& prima, const UsoProcesso& dopo) const;

    bool scelto(const UsoProcesso& p) const { return selezionato_ && *selezionato_ == p.id; }
    // The card of an item: filled, and outlined when selected.
    static void disegnaFondo(QPainter& p, const QRectF& r, double raggio, bool scelto, Aspetto a);
    void disegnaIcona(QPainter& p, const QRectF& cornice, std::int32_t pid, Aspetto a) const;

    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;

    std::vector<UsoProcesso> processi_;

private:
    std::optional<std::int32_t> selezionato_;
    std::function<void(std::int32_t)> seleziona_;
    DisegnoIcona icona_;
    std::optional<std::int32_t> premuto_;
};

}  // namespace pulsaro
