#include "shell/ospite_finestra.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "platform/qt/fatti_desktop_qt.h"

namespace pulsaro {

OspiteFinestra::OspiteFinestra(const QString& titolo, const QString& nome, Qt::WindowFlags tipo,
                               QList<QAction*> comandi)
    : QWidget(nullptr, tipo) {
    setWindowTitle(titolo);
    setObjectName(nome);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    // Every window carries the application commands, so their keys work wherever the user is.
    addActions(comandi);
    // Asked a few times a second for a moment after a show; a window manager that draws no frame
    // leaves the window as it is.
    attesaCornice_.setInterval(50);
    connect(&attesaCornice_, &QTimer::timeout, this, [this] {
        const QSize bordi = frameGeometry().size() - size();
        const bool nota = bordi.width() >= 0 && bordi.height() > 0;
        if (!nota && ++tentativi_ < 60 && isVisible()) return;
        attesaCornice_.stop();
        if (nota) emit corniceNota();
    });
}

void OspiteFinestra::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    tentativi_ = 0;
    attesaCornice_.start();
}

void OspiteFinestra::impostaContenuto(QWidget* contenuto) {
    layout()->addWidget(contenuto);
}

void OspiteFinestra::portaAvanti() {
    if (isMinimized()) showNormal();
    show();
    raise();
    attivaFinestra(this);
}

void OspiteFinestra::closeEvent(QCloseEvent*) {
    // Checked once the close has gone through: a filter may still have refused it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isHidden()) return;
            emit chiusa();
            deleteLater();
        },
        Qt::QueuedConnection);
}

}  // namespace pulsaro
