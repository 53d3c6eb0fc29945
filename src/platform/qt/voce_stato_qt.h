// The status item as a QSystemTrayIcon: a StatusNotifierItem or an XEmbed tray icon, whichever
// the desktop offers when the icon is made.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/qt/vassoio_qt.h"
#include "platform/voce_stato.h"

class QMenu;

namespace pulsaro {

class VoceStatoQt : public QObject, public VoceStato {
    Q_OBJECT
public:
    // attesa: seconds to wait for a tray before the item is reported absent; vassoio: what tells
    // whether the desktop has one.
    explicit VoceStatoQt(double attesa,
                         std::unique_ptr<PresenzaVassoio> vassoio = presenzaVassoioDiSistema());
    ~VoceStatoQt() override;

    void impostaImmagine(const ImmaginePixel& immagine) override;
    void impostaSuggerimento(const std::string& testo) override;
    void impostaEtichetta(const std::string& testo) override;
    void quandoClic(Clic clic) override;
    void mostraMenu(const std::vector<VoceMenu>& voci) override;
    void impostaMenuAllegato(const std::vector<VoceMenu>& voci) override;
    // The attached menu, as Qt exports it; none while no menu is attached.
    QMenu* menuAllegato() const { return allegato_.get(); }
    Rettangolo rettangolo() const override;
    int latoQuadrato() const override;
    double dpr() const override;
    void quandoAssente(std::function<void()> assente) override;
    bool mostrata() const override { return mostrata_; }
    void quandoPresenza(std::function<void(bool)> presenza) override;
    // A StatusNotifierItem host may show the menu for a left click (GNOME's AppIndicator does).
    bool menuConPannellino() const override { return true; }

private:
    void crea();
    void controllaPresenza();
    void attivata(QSystemTrayIcon::ActivationReason motivo);
    QIcon iconaMenu(const ImmaginePixel& immagine);
    // The icon's place for the tile's size and scale, asked of the tray again only when a tray or a
    // screen has come, gone or changed, and after a minute (an XEmbed tray may resize its slots):
    // on X11 each answer is a round trip to the server, and the tile asks at every sample. Menus
    // and the popover are placed from a fresh answer.
    Rettangolo rettangoloRecente() const;
    // Fills a menu with the entries; their actions run after the menu has closed.
    void riempi(QMenu* menu, const std::vector<VoceMenu>& voci);

    std::unique_ptr<QSystemTrayIcon> icona_;
    QTimer attesa_;
    std::unique_ptr<PresenzaVassoio> vassoio_;
    std::function<void(bool)> quandoPresenza_;
    bool mostrata_ = false;
    QIcon immagine_;
    QString suggerimento_;
    Clic clic_;
    std::function<void()> assente_;
    bool assenteDetta_ = false;
    QPointer<QMenu> menu_;
    std::unique_ptr<QMenu> allegato_;
    std::vector<VoceMenu> vociAllegate_;
    std::vector<std::pair<ImmaginePixel, QIcon>> iconeMenu_;
    ImmaginePixel ultima_;  // the image immagine_ was made from
    mutable Rettangolo recente_;
    mutable double scalaRecente_ = 1;
    mutable QElapsedTimer letto_;
};

QImage immagineQt(const ImmaginePixel& p);

// An icon that draws its one image and keeps nothing. The tray's image changes at almost every
// light sample, and Qt's own icon engine leaves a copy of each image it has drawn in the pixmap
// cache: for a program that runs all day, memory that only grows.
QIcon iconaSenzaCache(QImage immagine);

}  // namespace pulsaro
