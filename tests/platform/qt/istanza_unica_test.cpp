// One running application per user, and the next start after a crash.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <csignal>

#include "platform/qt/istanza_unica.h"
#include "platform/segnali_uscita.h"
#include "support/qt_app.h"

namespace pulsaro {
namespace {

bool aspetta(const std::function<bool()>& fatto) {
    QElapsedTimer t;
    t.start();
    while (!fatto() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return fatto();
}

TEST(IstanzaUnica, IlSecondoAvvioChiedeAlPrimoDiRiaprireEFinisce) {
    QTemporaryDir dir;
    const QString percorso = dir.filePath("pulsaro.sock");
    IstanzaUnica prima(percorso);
    ASSERT_TRUE(prima.prendi());
    int riaperture = 0;
    QObject::connect(&prima, &IstanzaUnica::riapertura, [&] { ++riaperture; });

    // A stranger's request is dropped.
    QLocalSocket s;
    s.connectToServer(percorso);
    ASSERT_TRUE(s.waitForConnected(2000));
    s.write("rm -rf\n");
    s.waitForBytesWritten(2000);
    aspetta([&] { return s.state() == QLocalSocket::UnconnectedState; });
    EXPECT_EQ(riaperture, 0);

    IstanzaUnica seconda(percorso);
    EXPECT_FALSE(seconda.prendi());
    EXPECT_TRUE(aspetta([&] { return riaperture == 1; }));
}

TEST(IstanzaUnica, UnSocketLasciatoDaUnaCorsaCadutaNonFermaLaSuccessiva) {
    QTemporaryDir dir;
    const QString percorso = dir.filePath("pulsaro.sock");
    {
        // A socket file nobody listens on any more, as a crash leaves it.
        QFile f(percorso);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    IstanzaUnica nuova(percorso);
    EXPECT_TRUE(nuova.prendi());
    IstanzaUnica altra(percorso);
    EXPECT_FALSE(altra.prendi());  // and it does listen
}

TEST(SegnaliUscita, UnSegnaleArrivaComeByteDaLeggere) {
    const int fd = installaSegnaliUscita();
    ASSERT_GE(fd, 0);
    EXPECT_EQ(leggiSegnaleUscita(fd), 0);
    std::raise(SIGTERM);
    EXPECT_EQ(leggiSegnaleUscita(fd), SIGTERM);
    std::raise(SIGHUP);
    std::raise(SIGINT);
    EXPECT_EQ(leggiSegnaleUscita(fd), SIGINT);
    EXPECT_EQ(leggiSegnaleUscita(fd), 0);
    ripristinaSegnaliUscita();
}

}  // namespace
}  // namespace pulsaro
