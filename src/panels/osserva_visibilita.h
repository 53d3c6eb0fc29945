// Tells whether a widget's window is really on screen: shown, not minimised, exposed and, where
// the display server says so, not fully covered by other windows.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <optional>
#include <vector>

#include "platform/qt/oscuramento.h"

namespace pulsaro {

// Attached to a widget (and owned by it), it follows the widget's top-level window, also when
// the widget or one of its ancestors moves to another window. Reports go to `cambia` on change
// only, the first one always; closing or hiding the window reports false before it goes, and
// the observer's destruction reports false unless the last report already was.
class OsservaVisibilita : public QObject {
public:
    using Cambia = std::function<void(bool visibile)>;

    OsservaVisibilita(QWidget* vista, Cambia cambia);
    ~OsservaVisibilita() override;

    // Later reports go to the new callback; what was reported stays.
    void impostaCambia(Cambia cambia) { cambia_ = std::move(cambia); }
    std::optional<bool> ultimo() const { return ultimo_; }
    // Objects watched now: the widget, its ancestors and the window's native handle.
    std::size_t osservati() const { return osservati_.size(); }
    // What the display server says about the window being covered.
    Oscuramento& oscuramento() { return oscuramento_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void aggancia();  // watches the chain up to the current window, dropping the old watches
    void sgancia();
    void controlla();
    void segnala(bool visibile);

    QPointer<QWidget> vista_;
    Cambia cambia_;
    std::optional<bool> ultimo_;
    std::vector<QPointer<QObject>> osservati_;
    QPointer<QWindow> nativa_;
    Oscuramento oscuramento_;
};

}  // namespace pulsaro
