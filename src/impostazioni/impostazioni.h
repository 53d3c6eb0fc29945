// The content of the settings window: the number of processes listed, launch at login, the
// menu-bar presence and its tile, and which data sources work. Every control writes its
// preference at once; a preference changed elsewhere shows here at once.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "platform/abbonamento.h"
#include "platform/elemento_login.h"
#include "platform/preferenze.h"
#include "platform/testi_desktop.h"
#include "sampling/monitor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace pulsaro {

class AnteprimaRiquadro;
class GrigliaStato;
class Interruttore;
class PozzettoColore;
class SelettorePassi;

class Impostazioni : public QWidget {
    Q_OBJECT
public:
    // forma: whose words the desktop texts use (the Mac's, or Linux's).
    Impostazioni(Monitor& monitor, Preferenze& preferenze, ElementoLogin& login, QWidget* padre = nullptr,
                 FormaTesti forma = formaTestiDiSistema());
    ~Impostazioni() override;

    static constexpr int larghezza = 460;

    // A colour chosen for the tile's background: stored as six hex digits.
    void scegliColore(const QColor& c);

    // The last registration error, as shown ("Non riuscito: …").
    std::optional<QString> errore() const { return errore_; }
    bool daApprovare() const { return daApprovare_; }

protected:
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void costruisci();
    void rileggi();
    void applicaColori();
    void cambiaAvvio(bool v);
    void mostraStatoLogin(StatoLogin s);
    void adatta();

    Monitor& monitor_;
    Preferenze& preferenze_;
    ElementoLogin& login_;
    const FormaTesti forma_;

    bool daApprovare_ = false;
    std::optional<QString> errore_;
    // The stored colour text before the chooser opened, to put back when it is cancelled.
    std::optional<ValorePreferenza> colorePrima_;
    bool coloreAperto_ = false;

    SelettorePassi* processi_ = nullptr;
    Interruttore* avvio_ = nullptr;
    QWidget* rigaApprovazione_ = nullptr;
    QPushButton* apri_ = nullptr;
    QLabel* erroreEtichetta_ = nullptr;
    QLabel* nonSalvate_ = nullptr;    // the store refused a write
    QLabel* messoDaParte_ = nullptr;  // the store moved an unreadable file aside
    Interruttore* barraMenu_ = nullptr;
    Interruttore* menuContestuale_ = nullptr;
    Interruttore* iconaStato_ = nullptr;
    QWidget* rigaNellaBarra_ = nullptr;
    QComboBox* nellaBarra_ = nullptr;
    QWidget* rigaColore_ = nullptr;
    PozzettoColore* colore_ = nullptr;
    QWidget* rigaMostra_ = nullptr;
    QCheckBox* voci_[5] = {};
    QWidget* rigaAnteprima_ = nullptr;
    AnteprimaRiquadro* anteprima_ = nullptr;
    QPushButton* arancione_ = nullptr;
    QLabel* didascaliaRiquadro_ = nullptr;
    Interruttore* esporta_ = nullptr;
    GrigliaStato* griglia_ = nullptr;
    std::vector<QLabel*> secondarie_;  // captions and hints, in the secondary text colour

    Abbonamento osservaPreferenze_;
};

}  // namespace pulsaro
