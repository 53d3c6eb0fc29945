#include "platform/qt/istanza_unica.h"

#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace pulsaro {

namespace {
constexpr int attesaMs = 1000;
const QByteArray richiesta = "apri\n";
}  // namespace

QString IstanzaUnica::percorsoPredefinito() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime + QStringLiteral("/pulsaro.sock");
    return QDir::tempPath() + QStringLiteral("/pulsaro-%1.sock").arg(::getuid());
}

IstanzaUnica::IstanzaUnica(QString percorso) : percorso_(std::move(percorso)) {}

IstanzaUnica::~IstanzaUnica() {
    if (server_) server_->close();  // removes the socket file
}

bool IstanzaUnica::prendi() {
    // Two starts at once must not both decide they are the first.
    QLockFile blocco(percorso_ + QStringLiteral(".lock"));
    blocco.setStaleLockTime(0);  // a lock left by a dead process is taken over at once
    blocco.tryLock(5 * attesaMs);

    {
        QLocalSocket altro;
        altro.connectToServer(percorso_);
        if (altro.waitForConnected(attesaMs)) {
            altro.write(richiesta);
            altro.waitForBytesWritten(attesaMs);
            altro.disconnectFromServer();
            if (altro.state() != QLocalSocket::UnconnectedState) altro.waitForDisconnected(attesaMs);
            return false;
        }
    }
    // Nobody answers: whatever socket file is there was left by a run that is gone.
    QLocalServer::removeServer(percorso_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &IstanzaUnica::leggi);
    server_->listen(percorso_);  // failing to listen leaves a run without reopen, not no run
    return true;
}

void IstanzaUnica::leggi() {
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        auto gestisci = [this, s] {
            if (!s->canReadLine()) return;
            const QByteArray riga = s->readLine(64);
            s->disconnectFromServer();
            if (riga == richiesta) emit riapertura();
        };
        connect(s, &QLocalSocket::readyRead, this, gestisci);
        gestisci();
    }
}

}  // namespace pulsaro
