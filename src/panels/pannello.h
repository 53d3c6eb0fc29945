// The main window's content: the header card, the list's controls, the heaviest processes as bars
// or gauges, and the help text. It keeps its window as tall as its content.
#pragma once

#include <QScrollArea>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "panels/vista.h"
#include "platform/abbonamento.h"
#include "sampling/monitor.h"
#include "widgets/elementi_pannello.h"

class QComboBox;
class QShortcut;
class QTimer;
class QPropertyAnimation;

namespace pulsaro {

class CacheIcone;
class Monitor;
class OsservaVisibilita;
class Preferenze;
class SchedaIntestazione;
class SelettoreSegmentato;
class VistaBarre;
class VistaContagiri;
class VistaStoria;

inline constexpr int durataListaMs = 250;
inline constexpr int ritardoAdattaMs = 100;

// A scroll area whose preferred height is its minimum: the window fits around that.
class AreaLista : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override { return {QScrollArea::sizeHint().width(), minimumHeight()}; }
};

class Pannello : public QWidget {
public:
    // icone: the icons shared with the other windows; without it the panel keeps its own.
    Pannello(Monitor& monitor, Preferenze& preferenze, CacheIcone& icone, QWidget* padre = nullptr);
    Pannello(Monitor& monitor, Preferenze& preferenze, QWidget* padre = nullptr);
    ~Pannello() override;

    // Follows pid, or stops following it when it is the followed one. A process that is not in
    // the list (it ended) cannot be followed.
    void seleziona(std::int32_t pid);
    // Refits the window's height to the content 0.1 s from now.
    void adattaFinestra();

    bool listaAperta() const { return aperta_; }
    void alternaLista();
    Vista vista() const { return vista_; }
    void impostaVista(Vista v);

    // For tests and pictures.
    SchedaIntestazione* scheda() const { return scheda_; }
    AreaCliccabile* interruttore() const { return interruttore_; }
    Chevron* chevron() const { return chevron_; }
    SelettoreSegmentato* selettoreVista() const { return selettore_; }
    QComboBox* intervallo() const { return intervallo_; }
    AreaLista* area() const { return area_; }
    TestoACapo* aiuto() const { return aiuto_; }
    VistaBarre* barre() const { return barre_; }
    VistaContagiri* griglia() const { return griglia_; }
    VistaStoria* storia() const { return storia_; }
    QWidget* attesa() const { return attesa_; }
    double altezzaMisurata() const { return altezzaLista_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    Pannello(Monitor& monitor, Preferenze& preferenze, std::unique_ptr<CacheIcone> propria, CacheIcone* icone,
             QWidget* padre);
    void aggiornaProcessi();
    void aggiornaScheda();
    void aggiornaIntervallo();
    void mostraAperta(bool anima);
    void misura();
    void adattaOra();

    Monitor& monitor_;
    Preferenze& preferenze_;
    std::unique_ptr<CacheIcone> propria_;
    CacheIcone& icone_;
    Vista vista_;
    bool aperta_;
    double altezzaLista_ = 0;

    SchedaIntestazione* scheda_ = nullptr;
    AreaCliccabile* interruttore_ = nullptr;
    Chevron* chevron_ = nullptr;
    SelettoreSegmentato* selettore_ = nullptr;
    QComboBox* intervallo_ = nullptr;
    AreaLista* area_ = nullptr;
    QWidget* contenuto_ = nullptr;
    QWidget* attesa_ = nullptr;
    VistaBarre* barre_ = nullptr;
    VistaContagiri* griglia_ = nullptr;
    VistaStoria* storia_ = nullptr;
    TestoACapo* aiuto_ = nullptr;
    QShortcut* esc_ = nullptr;
    QTimer* adatta_ = nullptr;
    QPropertyAnimation* cornice_ = nullptr;

    std::vector<Abbonamento> abbonamenti_;
    OsservaVisibilita* osserva_ = nullptr;
    Monitor::Interesse interesse_;  // held while the window is on screen
};

}  // namespace pulsaro
