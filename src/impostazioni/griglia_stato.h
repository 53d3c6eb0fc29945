// The settings' status grid: which data sources work, the machine's cores and their use now.
// While its window is on screen (shown, not minimised, exposed) it asks the monitor for full
// samples ("impostazioni").
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <string>

#include "platform/abbonamento.h"
#include "sampling/monitor.h"

namespace pulsaro {

class OsservaVisibilita;

// "5 core (P 3 · E 2)"; "5 core" on a machine without efficiency cores, where the split says nothing.
std::string testoUsoCore(const CoreImpegnati& c, int numeroE);

class GrigliaStato : public QWidget {
    Q_OBJECT
public:
    // The hardware texts default to the machine's own.
    explicit GrigliaStato(Monitor& monitor, QWidget* padre = nullptr);
    GrigliaStato(Monitor& monitor, std::string hardwareCPU, std::string hardwareGPU, int numeroE,
                 QWidget* padre = nullptr);
    ~GrigliaStato() override;

    struct Riga {
        QLabel* simbolo;
        QLabel* titolo;
        QLabel* hardware;
        QLabel* uso;
    };
    const Riga& riga(int i) const { return righe_[static_cast<std::size_t>(i)]; }
    // Whether the source of row i works, as last shown.
    bool funziona(int i) const { return funziona_[static_cast<std::size_t>(i)]; }
    // Whether the machine lacks the unit of row i altogether, as last shown.
    bool assente(int i) const { return assente_[static_cast<std::size_t>(i)]; }

    // Colours follow the appearance; called again when it changes.
    void applicaColori();

protected:
    void changeEvent(QEvent* e) override;

private:
    void aggiorna();

    Monitor& monitor_;
    std::string hardwareCPU_, hardwareGPU_;
    int numeroE_;
    std::array<Riga, 3> righe_{};
    std::array<bool, 3> funziona_{};
    std::array<bool, 3> assente_{};
    OsservaVisibilita* osserva_ = nullptr;
    Monitor::Interesse interesse_;  // held while the window is on screen
    Abbonamento abbonamentoStato_, abbonamentoTotale_;
};

}  // namespace pulsaro
