// The process list as gauges: an adaptive grid of cards, each with a CPU and a GPU dial.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "sampling/uso.h"
#include "widgets/elementi_processo.h"

namespace pulsaro {

class ValoreMolla;

class VistaContagiri : public QWidget {
public:
    explicit VistaContagiri(QWidget* padre = nullptr);
    ~VistaContagiri() override;

    void impostaProcessi(std::vector<UsoProcesso> processi);
    void impostaSelezionato(std::optional<std::int32_t> pid);
    void impostaSeleziona(std::function<void(std::int32_t)> seleziona) { seleziona_ = std::move(seleziona); }
    void impostaIcona(DisegnoIcona disegno);

    const std::vector<UsoProcesso>& processi() const { return processi_; }
    std::optional<std::int32_t> selezionato() const { return selezionato_; }

    int colonne() const;
    QRectF rettangoloScheda(int i) const;
    std::optional<std::int32_t> processoIn(const QPointF& punto) const;
    // Where the spring of process pid's gauge (0 CPU, 1 GPU) is now; 0 when unknown.
    double frazioneMostrata(std::int32_t pid, int quale) const;

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
    struct Molle;
    double altezzaIntestazione() const;
    double altezzaSchedaCorrente() const;
    QRectF rettangoloEtichetta(int i) const;
    void aggiornaScheda(std::int32_t pid);

    std::vector<UsoProcesso> processi_;
    std::optional<std::int32_t> selezionato_;
    std::function<void(std::int32_t)> seleziona_;
    DisegnoIcona icona_;
    std::optional<std::int32_t> premuto_;
    std::unordered_map<std::int32_t, std::unique_ptr<Molle>> molle_;  // the gauges' springs, by process
};

}  // namespace pulsaro
