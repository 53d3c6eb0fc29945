#include "platform/qt/server_metriche.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <deque>

namespace pulsaro {

namespace {

// Qt 6.4's HTTP server takes every connection, reads a request of any size and waits for it
// for ever; this server in front of it hands on only sockets it watches.
class Guardia : public QTcpServer {
public:
    Guardia(ServerMetriche::Limiti limiti, QObject* padre) : QTcpServer(padre), limiti_(limiti) {}

protected:
    void incomingConnection(qintptr descrittore) override {
        auto* s = new QTcpSocket(this);
        if (!s->setSocketDescriptor(descrittore)) {
            s->deleteLater();
            return;
        }
        while (!aperte_.empty() && static_cast<int>(aperte_.size()) >= limiti_.connessioni) {
            QTcpSocket* vecchia = aperte_.front();
            aperte_.pop_front();
            vecchia->abort();
        }
        aperte_.push_back(s);
        sorveglia(s);
        addPendingConnection(s);
    }

private:
    void dimentica(QTcpSocket* s) { std::erase(aperte_, s); }

    void sorveglia(QTcpSocket* s) {
        auto* scadenza = new QTimer(s);
        scadenza->setSingleShot(true);
        scadenza->start(limiti_.millisecondi);
        // Counts of the request under way; connected before the HTTP server's own reader.
        auto byte = std::make_shared<long long>(0);
        auto righe = std::make_shared<int>(0);
        connect(scadenza, &QTimer::timeout, s, [this, s] {
            dimentica(s);
            s->abort();
        });
        connect(s, &QTcpSocket::readyRead, s, [this, s, byte, righe] {
            const QByteArray nuovi = s->peek(std::min<qint64>(s->bytesAvailable(), limiti_.byte + 1));
            *byte += s->bytesAvailable();
            *righe += static_cast<int>(nuovi.count('\n'));
            if (*byte > limiti_.byte || *righe > limiti_.righe) {
                dimentica(s);
                s->abort();
            }
        });
        connect(s, &QTcpSocket::bytesWritten, s, [scadenza, byte, righe, this] {
            *byte = 0;
            *righe = 0;
            scadenza->start(limiti_.millisecondi);
        });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            dimentica(s);
            s->deleteLater();
        });
    }

    ServerMetriche::Limiti limiti_;
    std::deque<QTcpSocket*> aperte_;
};

class ServerHttp : public QAbstractHttpServer {
public:
    ServerHttp(ServerMetriche::Gestore gestore, QObject* padre)
        : QAbstractHttpServer(padre), gestore_(std::move(gestore)) {}

protected:
    // Qt 6.4 hands the socket, later versions a responder (6.5–6.7 the missing handler's by
    // rvalue); what is answered is the same.
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    bool handleRequest(const QHttpServerRequest& r, QHttpServerResponder& risponditore) override {
        return rispondi(r, risponditore);
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    void missingHandler(const QHttpServerRequest&, QHttpServerResponder& risponditore) override {
#else
    void missingHandler(const QHttpServerRequest&, QHttpServerResponder&& risponditore) override {
#endif
        risponditore.write(QHttpServerResponder::StatusCode::NotFound);
    }
#else
    bool handleRequest(const QHttpServerRequest& r, QTcpSocket* s) override {
        QHttpServerResponder risponditore = makeResponder(r, s);
        return rispondi(r, risponditore);
    }
    void missingHandler(const QHttpServerRequest& r, QTcpSocket* s) override {
        makeResponder(r, s).write(QHttpServerResponder::StatusCode::NotFound);
    }
#endif

private:
    bool rispondi(const QHttpServerRequest& r, QHttpServerResponder& risponditore) {
        if (r.method() != QHttpServerRequest::Method::Get || r.url().path() != QLatin1String("/metrics"))
            return false;
        const ServerMetriche::Risposta risposta = gestore_(r.value("Accept").toStdString());
        risponditore.write(QByteArray::fromStdString(risposta.corpo),
                           QByteArray::fromStdString(risposta.tipo),
                           static_cast<QHttpServerResponder::StatusCode>(risposta.stato));
        return true;
    }

    ServerMetriche::Gestore gestore_;
};

}  // namespace

struct ServerMetriche::Filo {
    QThread thread;
    QObject* contesto = new QObject;  // lives on `thread`; the servers are its children
};

ServerMetriche::ServerMetriche(Gestore gestore) : ServerMetriche(std::move(gestore), Limiti{}) {}

ServerMetriche::ServerMetriche(Gestore gestore, Limiti limiti) : filo_(std::make_unique<Filo>()) {
    filo_->thread.setObjectName(QStringLiteral("pulsaro.esportazione"));
    filo_->contesto->moveToThread(&filo_->thread);
    filo_->thread.start();
    QMetaObject::invokeMethod(
        filo_->contesto,
        [this, gestore = std::move(gestore), limiti]() mutable {
            auto* http = new ServerHttp(std::move(gestore), filo_->contesto);
            new Guardia(limiti, http);
        },
        Qt::BlockingQueuedConnection);
}

ServerMetriche::~ServerMetriche() {
    QObject* contesto = filo_->contesto;
    QMetaObject::invokeMethod(
        contesto, [contesto] { delete contesto; }, Qt::BlockingQueuedConnection);
    filo_->thread.quit();
    filo_->thread.wait();
}

std::optional<std::string> ServerMetriche::ascolta(const std::string& indirizzo, std::uint16_t porta) {
    std::optional<std::string> errore;
    QMetaObject::invokeMethod(
        filo_->contesto,
        [&] {
            auto* http = filo_->contesto->findChild<ServerHttp*>();
            auto* guardia = http->findChild<Guardia*>();
            QHostAddress a;
            if (!a.setAddress(QString::fromStdString(indirizzo))) {
                errore = "indirizzo non valido: " + indirizzo;
                return;
            }
            if (!guardia->listen(a, porta)) {
                errore = guardia->serverError() == QAbstractSocket::AddressInUseError
                             ? std::string("indirizzo già in uso")
                         : guardia->serverError() == QAbstractSocket::SocketAccessError
                             ? std::string("permesso negato")
                             : guardia->errorString().toStdString();
                return;
            }
            porta_ = guardia->serverPort();
            http->bind(guardia);
        },
        Qt::BlockingQueuedConnection);
    return errore;
}

bool ServerMetriche::locale(const std::string& indirizzo) {
    return QHostAddress(QString::fromStdString(indirizzo)).isLoopback();
}

}  // namespace pulsaro
