// The endpoint's bounds: what a client may send, how long it may take, how many may hold on.
#include "platform/qt/server_metriche.h"

#include <QTcpSocket>

#include "support/qt_app.h"

namespace pulsaro {
namespace {

struct Esito {
    QByteArray stato;  // the answer's status line, empty when none came
    bool chiusa = false;
};

// Sends, waits for an answer or the end, then whether the server closed the connection.
Esito prova(QTcpSocket& s, const QByteArray& invio, int attesa) {
    s.write(invio);
    s.waitForBytesWritten(1000);
    Esito e;
    QByteArray letto;
    while (s.state() == QAbstractSocket::ConnectedState && s.waitForReadyRead(attesa)) letto += s.readAll();
    letto += s.readAll();
    e.stato = letto.left(letto.indexOf("\r\n"));
    e.chiusa =
        s.state() != QAbstractSocket::ConnectedState || s.error() == QAbstractSocket::RemoteHostClosedError;
    return e;
}

TEST(ServerMetriche, LimitiDiUnaRichiesta) {
    prova::appQt();
    ServerMetriche server(
        [](const std::string& accept) {
            return ServerMetriche::Risposta{200, "text/plain", accept};
        },
        ServerMetriche::Limiti{2, 256, 8, 400});
    ASSERT_FALSE(server.ascolta("127.0.0.1", 0));
    const QByteArray ok = "HTTP/1.1 200 OK", nulla = "HTTP/1.1 404 Not Found";
    struct Caso {
        const char* cosa;
        QByteArray invio;
        QByteArray stato;  // none: closed unanswered
    };
    const Caso casi[] = {
        {"metrics", "GET /metrics HTTP/1.1\r\nHost: x\r\nAccept: text/plain\r\n\r\n", ok},
        {"other path", "GET /altro HTTP/1.1\r\nHost: x\r\n\r\n", nulla},
        {"other method", "POST /metrics HTTP/1.1\r\nHost: x\r\nContent-Length: 1\r\n\r\nx", nulla},
        {"too many bytes", "GET /metrics HTTP/1.1\r\nX: " + QByteArray(300, 'a') + "\r\n\r\n", ""},
        {"too many lines", "GET /metrics HTTP/1.1\r\n" + QByteArray("X: 1\r\n").repeated(9) + "\r\n", ""},
        {"too slow", "GET /metrics HTTP/1.1\r\nHost: x\r\n", ""},
    };
    for (const Caso& c : casi) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, server.porta());
        ASSERT_TRUE(s.waitForConnected(1000)) << c.cosa;
        // Long enough for the time bound to strike when nothing else does.
        const Esito e = prova(s, c.invio, 800);
        EXPECT_EQ(e.stato, c.stato) << c.cosa;
        EXPECT_TRUE(e.chiusa || !c.stato.isEmpty()) << c.cosa;
    }

    // A third connection closes the oldest one; the newest are served.
    QTcpSocket a, b, c;
    for (QTcpSocket* s : {&a, &b, &c}) {
        s->connectToHost(QHostAddress::LocalHost, server.porta());
        ASSERT_TRUE(s->waitForConnected(1000));
    }
    EXPECT_TRUE(a.waitForDisconnected(1000) || a.state() != QAbstractSocket::ConnectedState);
    EXPECT_EQ(prova(c, "GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n", 300).stato, ok);
}

TEST(ServerMetriche, PortaOccupata) {
    prova::appQt();
    auto gestore = [](const std::string&) { return ServerMetriche::Risposta{}; };
    ServerMetriche primo(gestore);
    ASSERT_FALSE(primo.ascolta("127.0.0.1", 0));
    ServerMetriche secondo(gestore);
    EXPECT_EQ(secondo.ascolta("127.0.0.1", primo.porta()), "indirizzo già in uso");
    EXPECT_EQ(secondo.ascolta("non un indirizzo", 1), "indirizzo non valido: non un indirizzo");
    EXPECT_TRUE(ServerMetriche::locale("::1"));
    EXPECT_FALSE(ServerMetriche::locale("0.0.0.0"));
}

}  // namespace
}  // namespace pulsaro
