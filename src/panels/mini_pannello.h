// The popover's content: the machine's dials, the warning line, the five heaviest processes and
// the buttons that open the main window, the settings, and quit.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "panels/azioni_pannello.h"
#include "platform/abbonamento.h"
#include "sampling/monitor.h"
#include "widgets/elementi_pannello.h"

class QPushButton;

namespace pulsaro {

class CacheIcone;
class ChipANE;
class Contagiri;
class Monitor;
class OsservaVisibilita;
class Preferenze;
class RigaMini;

inline constexpr int larghezzaMini = 340;
inline constexpr int righeMini = 5;
inline constexpr int durataListaMiniMs = 200;

class MiniPannello : public QWidget {
public:
    // icone: the icons shared with the other windows; without it the panel keeps its own.
    MiniPannello(Monitor& monitor, Preferenze& preferenze, AzioniPannello azioni, CacheIcone& icone,
                 QWidget* padre = nullptr);
    MiniPannello(Monitor& monitor, Preferenze& preferenze, AzioniPannello azioni, QWidget* padre = nullptr);
    ~MiniPannello() override;

    bool listaAperta() const { return aperta_; }
    void alternaLista();

    // For tests and pictures: the parts, as they are now.
    QWidget* avviso() const;
    AreaCliccabile* lista() const { return lista_; }
    const std::vector<RigaMini*>& righe() const { return righe_; }
    int righeMostrate() const;
    Testo* testoAvviso() const { return avviso_; }
    AreaCliccabile* quadranti() const { return quadranti_; }
    AreaCliccabile* intestazioneLista() const { return intestazione_; }
    Chevron* chevron() const { return chevron_; }
    const std::array<Testo*, 2>& colonne() const { return colonne_; }
    Rotella* rotella() const { return rotella_; }
    QPushButton* pulsanteApri() const { return apri_; }
    QPushButton* pulsanteImpostazioni() const { return impostazioni_; }
    QPushButton* pulsanteEsci() const { return esci_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    MiniPannello(Monitor& monitor, Preferenze& preferenze, AzioniPannello azioni,
                 std::unique_ptr<CacheIcone> propria, CacheIcone* icone, QWidget* padre);
    void aggiornaTotale();
    void aggiornaStato();
    void aggiornaProcessi();
    void mostraAperta(bool anima);
    void ridimensiona();

    Monitor& monitor_;
    Preferenze& preferenze_;
    std::unique_ptr<CacheIcone> propria_;
    CacheIcone& icone_;
    AzioniPannello azioni_;
    bool aperta_;

    AreaCliccabile* quadranti_ = nullptr;
    std::array<Contagiri*, 2> contagiri_{};
    ChipANE* chip_ = nullptr;
    Testo* avviso_ = nullptr;
    AreaCliccabile* intestazione_ = nullptr;
    Chevron* chevron_ = nullptr;
    std::array<Testo*, 2> colonne_{};
    QWidget* spazio_ = nullptr;
    AreaCliccabile* lista_ = nullptr;
    QWidget* attesa_ = nullptr;
    Rotella* rotella_ = nullptr;
    std::vector<RigaMini*> righe_;
    QPushButton* apri_ = nullptr;
    QPushButton* impostazioni_ = nullptr;
    QPushButton* esci_ = nullptr;

    std::vector<Abbonamento> abbonamenti_;
    OsservaVisibilita* osserva_ = nullptr;
    Monitor::Interesse interesse_;  // held while the window is on screen
};

}  // namespace pulsaro
