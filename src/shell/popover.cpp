#include "shell/popover.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "panels/accessibile_pannelli.h"
#include "platform/qt/fatti_desktop_qt.h"
#include "shell/posizione_popover.h"
#include "widgets/tema.h"

namespace pulsaro {

Popover::Popover(bool finestra)
    : QWidget(nullptr, (finestra ? Qt::Window : Qt::Popup) | Qt::FramelessWindowHint), finestra_(finestra) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("popover"));
    setWindowTitle(QStringLiteral("Pulsaro — pannellino"));
    // A screen reader finds it among the application's windows, popup or not.
    esponiComeFinestra(this);
    auto* l = new QVBoxLayout(this);
    // A one-pixel edge, so that it stands apart from a window of its own colour behind it.
    l->setContentsMargins(1, 1, 1, 1);
    l->setSizeConstraint(QLayout::SetFixedSize);  // the popover follows its content's own size
}

void Popover::impostaContenuto(QWidget* contenuto) {
    if (contenuto) layout()->addWidget(contenuto);
}

void Popover::mostraSotto(const QRect& voce, const QPoint& cursore) {
    adjustSize();
    if (finestra_) {
        show();
        attivaFinestra(this);  // with the token of the click, where the tray handed one over
        if (!focusWidget()) focusNextChild();
        return;
    }
    const QPoint ancora = voce.isEmpty() ? cursore : voce.center();
    QScreen* s = QGuiApplication::screenAt(ancora);
    if (!s) s = QGuiApplication::primaryScreen();
    const QRect area = s ? s->availableGeometry() : QRect(QPoint(), size());
    move(posizionePopover(voce, cursore, size(), area));
    show();
    activateWindow();
    // The keyboard and a screen reader start on the first control: a popup is announced only
    // through what takes the focus.
    if (!focusWidget()) focusNextChild();
}

QColor Popover::coloreBordo() {
    // The divider's colour, laid on the panel's, so that the edge is opaque.
    const Aspetto a = Tema::aspetto();
    QColor testo = Tema::testoPrimario(a);
    const double t = 0.12 * testo.alphaF();
    testo.setAlpha(255);
    return mescola(Tema::panel(a), testo, t);
}

void Popover::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Tema::panel(Tema::aspetto()));
    const QColor bordo = coloreBordo();
    const QRect r = rect();
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), bordo);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bordo);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), bordo);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bordo);
}

bool Popover::event(QEvent* e) {
    // A window has no click elsewhere to close it: leaving it (another window taken, the tray's
    // icon clicked) does.
    if (finestra_ && e->type() == QEvent::WindowDeactivate && isVisible()) {
        close();
        return true;
    }
    return QWidget::event(e);
}

void Popover::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Popover::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    emit chiuso();
}

}  // namespace pulsaro
