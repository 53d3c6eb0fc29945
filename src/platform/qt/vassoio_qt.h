// Whether the desktop has a tray for the status item, told as it comes and goes. Never asked with
// a blocking call: the process that hosts a tray may be stopped and never answer, and the main
// thread must not wait for it.
#pragma once

#include <QObject>
#include <memory>

namespace pulsaro {

class PresenzaVassoio : public QObject {
    Q_OBJECT
public:
    bool presente() const { return presente_; }
    // False until the first answer: a start waits for it before deciding there is no tray.
    bool risposto() const { return risposto_; }

signals:
    // At the first answer and at every change after it.
    void cambiata(bool presente);

protected:
    void imposta(bool presente);

private:
    bool presente_ = false;
    bool risposto_ = false;
};

// A StatusNotifierItem host seen through its watcher's name on the session bus (an owner
// that comes or goes, asked once asynchronously), an XEmbed tray through the owner of the X
// selection _NET_SYSTEM_TRAY_S<screen> (announced on the root window, gone with its window).
std::unique_ptr<PresenzaVassoio> presenzaVassoioDiSistema();

}  // namespace pulsaro
