// The popover: a frameless popup that hangs under the status item, closes when the user clicks
// elsewhere or presses Escape, and is destroyed with its content when it closes. Where the
// compositor places windows (Wayland) it is a frameless window of its own, placed by the
// compositor and closed when it loses the focus.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace pulsaro {

class Popover : public QWidget {
    Q_OBJECT
public:
    // finestra: a window the compositor places, not a popup placed under the item.
    explicit Popover(bool finestra = false);

    // Takes the content (made anew for each popover).
    void impostaContenuto(QWidget* contenuto);
    // Shows it under the item's rectangle (at the cursor when the rectangle is empty); a window
    // is shown wherever the compositor puts it.
    void mostraSotto(const QRect& voce, const QPoint& cursore);

    // The edge's colour: the theme's separator, opaque on the panel.
    static QColor coloreBordo();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

signals:
    void chiuso();

private:
    bool finestra_;
};

}  // namespace pulsaro
