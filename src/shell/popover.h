// The popover: a frameless popup that hangs under the status item, closes when the user clicks
// elsewhere or presses Escape, and is destroyed with its content when it closes.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace pulsaro {

class Popover : public QWidget {
    Q_OBJECT
public:
    Popover();

    // Takes the content (made anew for each popover).
    void impostaContenuto(QWidget* contenuto);
    // Shows it under the item's rectangle (at the cursor when the rectangle is empty).
    void mostraSotto(const QRect& voce, const QPoint& cursore);

    // The edge's colour: the theme's separator, opaque on the panel.
    static QColor coloreBordo();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

signals:
    void chiuso();
};

}  // namespace pulsaro
