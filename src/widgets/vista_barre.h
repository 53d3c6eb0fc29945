// The process list as bars: one ranked row per process with its CPU and GPU bars.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "sampling/uso.h"
#include "widgets/elementi_processo.h"

namespace pulsaro {

class VistaBarre : public QWidget {
public:
    explicit VistaBarre(QWidget* padre = nullptr);

    void impostaProcessi(std::vector<UsoProcesso> processi);
    void impostaSelezionato(std::optional<std::int32_t> pid);
    void impostaSeleziona(std::function<void(std::int32_t)> seleziona) { seleziona_ = std::move(seleziona); }
    void impostaIcona(DisegnoIcona disegno);

    const std::vector<UsoProcesso>& processi() const { return processi_; }
    std::optional<std::int32_t> selezionato() const { return selezionato_; }

    // The row of index i in this widget's coordinates; the process under a point, if any.
    QRectF rettangoloRiga(int i) const;
    std::optional<std::int32_t> processoIn(const QPointF& punto) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int larghezza) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    double altezzaRigaCorrente() const;
    QRectF rettangoloEtichetta(int i) const;  // the ANE badge of row i; empty when it has none
    double larghezzaNomeVisibile(const UsoProcesso& p) const;

    std::vector<UsoProcesso> processi_;
    std::optional<std::int32_t> selezionato_;
    std::function<void(std::int32_t)> seleziona_;
    DisegnoIcona icona_;
    std::optional<std::int32_t> premuto_;
};

}  // namespace pulsaro
