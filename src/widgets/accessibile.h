// What a screen reader hears of the usage widgets: the texts of their values and rows, the
// announcements of a change, and the interfaces Qt is to use for them.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "sampling/uso.h"

class QAccessibleEvent;
class QAccessibleInterface;
class QObject;
class QWidget;

namespace pulsaro {

// "23 %", "0,0 %" (one decimal below 10, a decimal comma), "—" while the source is not live.
QString testoValoreAccessibile(double valore, bool attivo = true);
// "cc1plus, CPU 24 %, GPU 0,0 %, 117 MB", with ", ANE" when the process holds a Neural Engine client.
QString nomeRigaAccessibile(const UsoProcesso& p);
// "pid 4242", then what the ANE mark means when the row has it: the rest of what the row shows.
QString descrizioneRigaAccessibile(const UsoProcesso& p);

// Registers the interfaces of the gauges, bars, chip and process lists with Qt. Called once
// by the application before its windows are made; later calls change nothing.
void registraAccessibilitaWidget();

// True while someone listens to announcements: a screen reader or a recorder.
bool annunciAttivi();
// Sends e to the screen reader, or to the recorder when one is set.
void annuncia(QAccessibleEvent& e);
// The value of w changed (a gauge, bar or chip): one announcement.
void annunciaValore(QWidget* w);
// Tests record the announcements instead of Qt; an empty function gives them back to Qt.
void impostaRegistratoreAnnunci(std::function<void(QAccessibleEvent&)> registratore);

// A process row that is not a widget of its own hands its process to the meters under it.
class FonteRiga {
public:
    virtual ~FonteRiga() = default;
    virtual std::optional<UsoProcesso> processoRiga() const = 0;
};

// The meters of a row, one per resource drawn per process, made and owned by the row's interface.
// Their ids are deleted when the row's interface goes.
QAccessibleInterface* creaQuotaRiga(QAccessibleInterface* riga, const FonteRiga* fonte, int risorsa);

}  // namespace pulsaro
