// Whether the display server says a native window is fully covered by other windows. An X server
// sends VisibilityNotify to a window that asks for it, while Qt keeps a covered window exposed.
// Where a compositing manager redirects the windows the server never reports them covered, and
// elsewhere (Wayland, macOS, where exposure already says it) there is nothing to ask: the window
// then counts as uncovered.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QtGlobal>
#include <functional>

class QWindow;

namespace pulsaro {

class Oscuramento : public QAbstractNativeEventFilter {
public:
    // cambiato runs when coperta() changes.
    explicit Oscuramento(std::function<void()> cambiato);
    ~Oscuramento() override;
    Oscuramento(const Oscuramento&) = delete;
    Oscuramento& operator=(const Oscuramento&) = delete;

    // Follows this native window (nullptr: none), asking the server for its visibility events.
    void osserva(QWindow* finestra);
    // The X window followed (0: none); only the events of this window count.
    void osservaId(quintptr id);
    // A window hidden or shown again starts uncovered; the server tells again once it maps.
    void azzera() { coperta_ = false; }
    bool coperta() const { return coperta_; }

    bool nativeEventFilter(const QByteArray& tipo, void* messaggio, qintptr* risultato) override;

private:
    std::function<void()> cambiato_;
    quintptr id_ = 0;
    bool coperta_ = false;
};

}  // namespace pulsaro
