#include "panels/osserva_visibilita.h"

#include <QEvent>

namespace pulsaro {

OsservaVisibilita::OsservaVisibilita(QWidget* vista, Cambia cambia)
    : QObject(vista), vista_(vista), cambia_(std::move(cambia)), oscuramento_([this] { controlla(); }) {
    aggancia();
}

OsservaVisibilita::~OsservaVisibilita() {
    sgancia();
    segnala(false);
}

void OsservaVisibilita::sgancia() {
    for (const QPointer<QObject>& o : osservati_)
        if (o) o->removeEventFilter(this);
    osservati_.clear();
    nativa_ = nullptr;
}

void OsservaVisibilita::aggancia() {
    sgancia();
    if (!vista_) {
        segnala(false);
        return;
    }
    // Every widget up to the window: a move of any of them can change the window.
    for (QWidget* w = vista_; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        w->installEventFilter(this);
        osservati_.emplace_back(w);
    }
    controlla();
}

void OsservaVisibilita::controlla() {
    if (!vista_) {
        segnala(false);
        return;
    }
    QWidget* finestra = vista_->window();
    QWindow* nativa = finestra->windowHandle();
    if (nativa != nativa_) {
        // Exposure is told to the native window only; it exists once the window was shown.
        if (nativa_) nativa_->removeEventFilter(this);
        std::erase_if(osservati_, [&](const QPointer<QObject>& o) { return !o || o == nativa_; });
        nativa_ = nativa;
        if (nativa) {
            nativa->installEventFilter(this);
            osservati_.emplace_back(nativa);
        }
    }
    oscuramento_.osserva(nativa);
    segnala(finestra->isVisible() && !(finestra->windowState() & Qt::WindowMinimized) && nativa &&
            nativa->isExposed() && !oscuramento_.coperta());
}

void OsservaVisibilita::segnala(bool visibile) {
    if (ultimo_ == visibile) return;
    ultimo_ = visibile;
    if (cambia_) cambia_(visibile);
}

bool OsservaVisibilita::eventFilter(QObject* oggetto, QEvent* evento) {
    switch (evento->type()) {
        case QEvent::ParentChange:
            aggancia();
            break;
        case QEvent::Show:
        case QEvent::Hide:  // an accepted close hides the window before it is destroyed
            if (vista_ && oggetto == vista_->window()) oscuramento_.azzera();
            [[fallthrough]];
        case QEvent::WindowStateChange:
        case QEvent::WinIdChange:
        case QEvent::Expose:
            if (vista_ && (oggetto == vista_->window() || oggetto == nativa_)) controlla();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace pulsaro
