#include "shell/popover.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/posizione_popover.h"

namespace pulsaro {

Popover::Popover() : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("popover"));
    setWindowTitle(QStringLiteral("Pulsaro"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSizeConstraint(QLayout::SetFixedSize);  // the popover follows its content's own size
}

void Popover::impostaContenuto(QWidget* contenuto) {
    if (contenuto) layout()->addWidget(contenuto);
}

void Popover::mostraSotto(const QRect& voce, const QPoint& cursore) {
    adjustSize();
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
