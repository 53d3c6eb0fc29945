// The process list as gauges: an adaptive grid of cards, each with a CPU and a GPU dial.
#pragma once

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "widgets/disegno_contagiri.h"
#include "widgets/lista_processi.h"

namespace pulsaro {

class ValoreMolla;

class VistaContagiri : public ListaProcessi {
public:
    explicit VistaContagiri(QWidget* padre = nullptr);
    ~VistaContagiri() override;

    int colonne() const;
    QRectF rettangoloScheda(int i) const;
    std::optional<std::int32_t> processoIn(const QPointF& punto) const override;
    // Where the spring of process pid's gauge (0 CPU, 1 GPU) is now; 0 when unknown.
    double frazioneMostrata(std::int32_t pid, int quale) const;

    int heightForWidth(int larghezza) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    QRectF rettangoloVoce(int i) const override { return rettangoloScheda(i); }
    QRectF rettangoloEtichetta(int i) const override;
    void processiImpostati() override;
    QRegion zonaCambiata(int i, const UsoProcesso& prima, const UsoProcesso& dopo) const override;

private:
    struct Molle;
    double altezzaIntestazione() const;
    double altezzaSchedaCorrente() const;
    void aggiornaContagiri(std::int32_t pid, int quale);

    std::unordered_map<std::int32_t, std::unique_ptr<Molle>> molle_;  // the gauges' springs, by process
    std::vector<std::int32_t> schede_;                                // the process each card shows
    std::vector<std::array<double, 2>> mostrate_;  // where its gauges stood before this sample
    ImmaginiContagiri immagini_;
};

}  // namespace pulsaro
