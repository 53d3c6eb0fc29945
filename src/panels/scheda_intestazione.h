// The main window's header card: the machine's CPU, GPU and Neural Engine, or the figures of the
// followed process with its line, highlighted border and the "Tutto" button.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <array>
#include <functional>

class QVariantAnimation;

namespace pulsaro {

class CacheIcone;
class ChipANE;
class Contagiri;
class IconaProcesso;
class Monitor;
class Testo;

inline constexpr int durataSeguitoMs = 250;

// "Tutto" with the back arrow, filled with the control colour.
class PulsanteTutto : public QAbstractButton {
public:
    explicit PulsanteTutto(QWidget* padre = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
};

class SchedaIntestazione : public QWidget {
public:
    SchedaIntestazione(Monitor& monitor, CacheIcone& icone, std::function<void()> tutto,
                       QWidget* padre = nullptr);

    // Reads the monitor again; only what changed is repainted.
    void aggiorna();

    QWidget* rigaProcesso() const { return rigaProcesso_; }
    Testo* nome() const { return nome_; }
    Testo* dettaglio() const { return dettaglio_; }
    PulsanteTutto* tutto() const { return tutto_; }
    Contagiri* contagiri(int i) const { return contagiri_[static_cast<std::size_t>(i)]; }
    ChipANE* chip() const { return chip_; }
    Testo* sottotitolo(int i) const { return sottotitoli_[static_cast<std::size_t>(i)]; }
    double opacitaBordo() const { return bordo_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void posizionaTutto();

    Monitor& monitor_;
    QWidget* rigaProcesso_ = nullptr;
    IconaProcesso* icona_ = nullptr;
    Testo* nome_ = nullptr;
    Testo* dettaglio_ = nullptr;
    std::array<Contagiri*, 2> contagiri_{};
    ChipANE* chip_ = nullptr;
    std::array<Testo*, 3> sottotitoli_{};
    PulsanteTutto* tutto_ = nullptr;
    double bordo_ = 0;  // opacity of the highlight, 0 … 0.6
    bool seguendo_ = false;
    QVariantAnimation* animazioneBordo_ = nullptr;
};

}  // namespace pulsaro
