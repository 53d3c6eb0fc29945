#include "platform/qt/istanza_unica.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include "platform/diario.h"

namespace pulsaro {

namespace {
constexpr int attesaMs = 1000;
// "apri\n", then "gettone <token>\n" where the start has one: a run that knows only the first
// line still reopens.
const QByteArray richiesta = "apri\n";
const QByteArray prefissoGettone = "gettone ";
constexpr qsizetype massimoRichiesta = 512;
}  // namespace

UtenteDelPari utenteDelPariDiSistema() {
    return [](qintptr descrittore) -> std::optional<long> {
        const int fd = static_cast<int>(descrittore);
#if defined(SO_PEERCRED)
        ucred credenziali{};
        socklen_t lunghezza = sizeof credenziali;
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credenziali, &lunghezza) != 0) return std::nullopt;
        return static_cast<long>(credenziali.uid);
#else
        uid_t utente = 0;
        gid_t gruppo = 0;
        if (::getpeereid(fd, &utente, &gruppo) != 0) return std::nullopt;
        return static_cast<long>(utente);
#endif
    };
}

bool cartellaPrivata(const QString& percorso, QString* perche) {
    const QByteArray nome = QFile::encodeName(percorso);
    const auto rifiuta = [perche](const QString& motivo) {
        if (perche) *perche = motivo;
        return false;
    };
    if (::mkdir(nome.constData(), 0700) != 0 && errno != EEXIST)
        return rifiuta(QStringLiteral("non si crea: ") + QString::fromLocal8Bit(std::strerror(errno)));
    struct stat s {};
    // lstat: a link planted in its place would lead somewhere else.
    if (::lstat(nome.constData(), &s) != 0)
        return rifiuta(QStringLiteral("illeggibile: ") + QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(s.st_mode)) return rifiuta(QStringLiteral("non è una cartella"));
    if (s.st_uid != ::geteuid()) return rifiuta(QStringLiteral("appartiene all'utente %1").arg(s.st_uid));
    if ((s.st_mode & 0777) != 0700 && ::chmod(nome.constData(), 0700) != 0)
        return rifiuta(
            QStringLiteral("permessi %1 non correggibili").arg(s.st_mode & 0777, 3, 8, QChar(u'0')));
    return true;
}

QString IstanzaUnica::percorsoPredefinito() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime + QStringLiteral("/pulsaro.sock");
    return QDir::tempPath() + QStringLiteral("/pulsaro-%1/pulsaro.sock").arg(::geteuid());
}

QString IstanzaUnica::percorsoDiRiserva() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) return {};
    return cache + QStringLiteral("/pulsaro/pulsaro.sock");
}

IstanzaUnica::IstanzaUnica(QString percorso, UtenteDelPari utenteDelPari, QString riserva)
    : percorso_(std::move(percorso)),
      utenteDelPari_(std::move(utenteDelPari)),
      riserva_(std::move(riserva)) {}

IstanzaUnica::~IstanzaUnica() {
    if (server_) server_->close();  // removes the socket file
}

bool IstanzaUnica::prendi(bool riapri, const QByteArray& gettone) {
    QString perche;
    if (!cartellaPrivata(QFileInfo(percorso_).absolutePath(), &perche)) {
        const std::string rifiutata = "cartella del socket " +
                                      QFileInfo(percorso_).absolutePath().toStdString() + " " +
                                      perche.toStdString();
        const QString cartella = QFileInfo(riserva_).absolutePath();
        if (!riserva_.isEmpty()) QDir().mkpath(QFileInfo(cartella).absolutePath());
        if (riserva_.isEmpty() || !cartellaPrivata(cartella, &perche)) {
            diario(LivelloDiario::avviso, "istanza",
                   rifiutata + (riserva_.isEmpty() ? "" : "; anche la riserva " + perche.toStdString()) +
                       ": avvio senza istanza unica");
            return true;
        }
        // Every start that finds the same refused folder comes to the same place.
        diario(LivelloDiario::avviso, "istanza", rifiutata + ": uso " + riserva_.toStdString());
        percorso_ = riserva_;
    }
    // Two starts at once must not both decide they are the first.
    QLockFile blocco(percorso_ + QStringLiteral(".lock"));
    blocco.setStaleLockTime(0);  // a lock left by a dead process is taken over at once
    blocco.tryLock(5 * attesaMs);

    {
        QLocalSocket altro;
        altro.connectToServer(percorso_);
        if (altro.waitForConnected(attesaMs)) {
            const auto utente = utenteDelPari_ ? utenteDelPari_(altro.socketDescriptor()) : std::nullopt;
            if (!utente || *utente != static_cast<long>(::geteuid())) {
                diario(LivelloDiario::avviso, "istanza",
                       "il socket " + percorso_.toStdString() + " è di " +
                           (utente ? "un altro utente (" + std::to_string(*utente) + ")"
                                   : "un utente sconosciuto") +
                           ": avvio normale");
                return true;
            }
            if (riapri) {
                altro.write(gettone.isEmpty() ? richiesta : richiesta + prefissoGettone + gettone + '\n');
                altro.waitForBytesWritten(attesaMs);
            }
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
        // Read whole once the other start hangs up (it writes everything, then goes), once its
        // first line is not the request or a second line has come, or once more than a request
        // holds has come.
        auto gestisci = [this, s](bool finita) {
            const QByteArray visto = s->peek(massimoRichiesta);
            const qsizetype primo = visto.indexOf('\n');
            if (!finita && visto.size() < massimoRichiesta &&
                (primo < 0 || (visto.left(primo + 1) == richiesta && visto.indexOf('\n', primo + 1) < 0)))
                return;
            const QByteArray testo = s->read(massimoRichiesta);
            s->disconnectFromServer();
            if (!testo.startsWith(richiesta)) return;
            QByteArray gettone;
            const QByteArray resto = testo.mid(richiesta.size());
            if (resto.startsWith(prefissoGettone) && resto.endsWith('\n'))
                gettone = resto.mid(prefissoGettone.size()).chopped(1);
            emit riapertura(gettone);
        };
        connect(s, &QLocalSocket::readyRead, this, [gestisci] { gestisci(false); });
        connect(s, &QLocalSocket::readChannelFinished, this, [gestisci] { gestisci(true); });
        if (s->state() != QLocalSocket::ConnectedState) gestisci(true);
    }
}

}  // namespace pulsaro
