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
