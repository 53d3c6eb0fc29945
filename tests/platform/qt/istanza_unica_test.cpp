// One running application per user, the next start after a crash, and nobody else's socket.
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/diario.h"
#include "platform/qt/fatti_desktop_qt.h"
#include "platform/qt/istanza_unica.h"
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
    {
        // A socket file nobody listens on any more, as a crash leaves it, does not stop a start.
        QFile f(percorso);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    IstanzaUnica prima(percorso);
    ASSERT_TRUE(prima.prendi());
    std::vector<QByteArray> gettoni;  // one per reopening
    QObject::connect(&prima, &IstanzaUnica::riapertura, [&](const QByteArray& g) { gettoni.push_back(g); });

    // A stranger's request is dropped.
    QLocalSocket s;
    s.connectToServer(percorso);
    ASSERT_TRUE(s.waitForConnected(2000));
    s.write("rm -rf\n");
    s.waitForBytesWritten(2000);
    aspetta([&] { return s.state() == QLocalSocket::UnconnectedState; });
    EXPECT_TRUE(gettoni.empty());

    // The launcher's token goes along.
    IstanzaUnica seconda(percorso);
    EXPECT_FALSE(seconda.prendi(true, "pannello_TIME42"));
    EXPECT_TRUE(aspetta([&] { return !gettoni.empty(); }));
    EXPECT_EQ(gettoni, (std::vector<QByteArray>{"pannello_TIME42"}));
}

TEST(IstanzaUnica, SoloGettoniBreviEStampabiliPassano) {
    EXPECT_EQ(gettoneValido("pannello_TIME42"), "pannello_TIME42");
    for (const QByteArray& g :
         {QByteArray("con spazio"), QByteArray("a\nb"), QByteArray("\xc3\xa8"), QByteArray(257, 'x')})
        EXPECT_EQ(gettoneValido(g), QByteArray()) << g.toStdString();
}

// A listener run by someone else is not believed: this start runs on its own and says why.
TEST(IstanzaUnica, UnSocketDiUnAltroUtenteNonFermaLAvvio) {
    QTemporaryDir dir;
    const QString percorso = dir.filePath("privata/pulsaro.sock");
    const auto estraneo = [](qintptr) -> std::optional<long> { return static_cast<long>(::geteuid()) + 1; };
    IstanzaUnica piantato(percorso, estraneo);
    ASSERT_TRUE(piantato.prendi());
    int riaperture = 0;
    QObject::connect(&piantato, &IstanzaUnica::riapertura, [&] { ++riaperture; });

    std::vector<std::string> righe;
    {
        DeviaDiario raccolto(
            [&righe](LivelloDiario, std::string_view, std::string_view m) { righe.emplace_back(m); });
        IstanzaUnica vittima(percorso, estraneo);
        EXPECT_TRUE(vittima.prendi());
        IstanzaUnica senzaRisposta(percorso, [](qintptr) -> std::optional<long> { return std::nullopt; });
        EXPECT_TRUE(senzaRisposta.prendi());
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(riaperture, 0);
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_NE(righe[0].find("un altro utente"), std::string::npos) << righe[0];
    EXPECT_NE(righe[1].find("sconosciuto"), std::string::npos) << righe[1];

    // The real check sees this very process at the other end.
    IstanzaUnica vera(percorso);
    EXPECT_FALSE(vera.prendi(false));
}

TEST(IstanzaUnica, LaCartellaDelSocketESoloDellUtente) {
    QTemporaryDir dir;
    const QString nuova = dir.filePath("nuova");
    ASSERT_TRUE(cartellaPrivata(nuova));
    EXPECT_EQ(QFileInfo(nuova).permissions() & 0x0077, 0);  // nothing for group or others

    const QString larga = dir.filePath("larga");
    ASSERT_EQ(::mkdir(QFile::encodeName(larga).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(larga).constData(), 0707), 0);
    EXPECT_TRUE(cartellaPrivata(larga));  // its own: narrowed
    EXPECT_EQ(QFileInfo(larga).permissions() & 0x0077, 0);

    QString perche;
    ASSERT_TRUE(QFile::link(larga, dir.filePath("link")));
    ASSERT_TRUE(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
    for (const char* nome : {"link", "file"})
        EXPECT_FALSE(cartellaPrivata(dir.filePath(nome), &perche)) << nome;

    // A folder someone else made first: the socket goes to the fallback, and one run stays one.
    QString piantata = dir.filePath("file");
    if (::geteuid() == 0) {  // only root can give a folder to someone else
        piantata = dir.filePath("altrui");
        ASSERT_TRUE(QDir().mkdir(piantata));
        ASSERT_EQ(::chown(QFile::encodeName(piantata).constData(), 65534, 65534), 0);
        EXPECT_FALSE(cartellaPrivata(piantata, &perche));
        EXPECT_NE(perche.indexOf(QStringLiteral("65534")), -1) << perche.toStdString();
    }
    const QString riserva = dir.filePath("cache/pulsaro/pulsaro.sock");
    IstanzaUnica prima(piantata + QStringLiteral("/pulsaro.sock"), utenteDelPariDiSistema(), riserva);
    EXPECT_TRUE(prima.prendi());
    EXPECT_FALSE(QFile::exists(piantata + QStringLiteral("/pulsaro.sock")));
    IstanzaUnica seconda(piantata + QStringLiteral("/pulsaro.sock"), utenteDelPariDiSistema(), riserva);
    EXPECT_FALSE(seconda.prendi(false));
}

}  // namespace
}  // namespace pulsaro
