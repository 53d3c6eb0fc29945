#include "platform/qt/preferenze_qt.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/diario.h"
#include "platform/qt/formato_ini.h"
#include "support/qt_app.h"

using namespace pulsaro;

namespace {

class PreferenzeSuFile : public ::testing::Test {
protected:
    void scriviFile(const QByteArray& contenuto, const QString& percorso = {}) {
        QFile f(percorso.isEmpty() ? file : percorso);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    }
    QByteArray leggiFile() {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The log lines an action writes.
    static std::vector<std::string> righeDiario(const std::function<void()>& azione) {
        std::vector<std::string> righe;
        DeviaDiario devia(
            [&](LivelloDiario, std::string_view, std::string_view m) { righe.emplace_back(m); });
        azione();
        return righe;
    }

    QTemporaryDir cartella;
    const QString file = cartella.filePath("Pulsaro.conf");
};

}  // namespace

TEST_F(PreferenzeSuFile, EveryTypeComesBackAsWritten) {
    // Texts that look like other types must stay texts.
    const std::vector<std::string> testi = {"112233", "true", "a, b", "@ByteArray(x)"};
    {
        PreferenzeQt p(file);
        p.scrivi("barraMenu", false);
        p.scrivi("negativo", std::int64_t{-7});
        p.scrivi("scala", 1.5);
        for (const auto& t : testi) p.scrivi("testo " + t, t);
    }
    PreferenzeQt p(file);  // a new store reads what the first one left in the file
    EXPECT_EQ(p.booleano("barraMenu"), std::optional<bool>(false));
    EXPECT_EQ(p.intero("negativo"), std::optional<std::int64_t>(-7));
    EXPECT_EQ(p.valore("scala"), std::optional<ValorePreferenza>(1.5));
    for (const auto& t : testi) EXPECT_EQ(p.testo("testo " + t), std::optional<std::string>(t));
}

TEST_F(PreferenzeSuFile, GarbageFileGivesDefaultsAndKeepsTheRest) {
    QByteArray garbage(
        "\x01\x02\xff\xfe garbage without equals\n[General\n===\nbarraMenu=false\nforse=forse\n"
        "menuContestuale=1\niconaStato=TRUE\nnumeroPannelli=nove\nlistaAperta=false\n"
        "grande=99999999999999999999999\nrotta=@Variant(\\0\\0\\0\\x7f\\xff\\xff\\xff\\xff)\n"
        "troncata=@ByteArray(\n[Altro]\nestraneo=da conservare\n");
    garbage.append('\0');
    garbage.append("dopo lo zero=1\n");
    scriviFile(garbage);

    PreferenzeQt p(file);
    EXPECT_FALSE(p.booleano("listaAperta", true));
    // Values of the wrong type read as the default: an integer is no bool, only the exact words count.
    for (const char* chiave : {"forse", "menuContestuale", "iconaStato", "rotta"})
        EXPECT_FALSE(p.booleano(chiave).has_value()) << chiave;
    EXPECT_EQ(p.intero("grande", 9), 9);
    (void)p.testo("troncata", "x");  // reads without crashing

    p.scrivi("numeroPannelli", std::int64_t{6});
    EXPECT_FALSE(PreferenzeQt(file).booleano("barraMenu", true));
    EXPECT_TRUE(leggiFile().contains("[Altro]") && leggiFile().contains("estraneo=da conservare"));
}

// A store whose folder cannot be made (a file stands in its place: not even root writes there).
TEST_F(PreferenzeSuFile, ScritturaRifiutataSiDiceUnaVoltaEIlValoreResta) {
    const QString bloccata = cartella.filePath("bloccata");
    scriviFile("", bloccata);
    PreferenzeQt p(bloccata + QStringLiteral("/Pulsaro.conf"));
    const auto righe = righeDiario([&] {
        p.scrivi("numeroPannelli", std::int64_t{12});
        p.scrivi("barraMenu", false);
    });
    EXPECT_TRUE(p.scritturaFallita());
    ASSERT_EQ(righe.size(), 1u);  // once, not at every write
    EXPECT_NE(righe[0].find("non riuscita"), std::string::npos) << righe[0];
    // The run goes on with what the user chose.
    EXPECT_EQ(p.intero("numeroPannelli"), std::optional<std::int64_t>(12));
}

// A file that is not read (a FIFO would keep the start waiting for a writer forever, a huge one
// costs its size at every change, a link to a device both) gives the defaults and stays as it is
// through what the program writes by itself. The user's first change sets it aside, under a name
// said in the log, and starts a new file with everything this run holds.
TEST_F(PreferenzeSuFile, UnFileIlleggibileNonSiRiscriveMaSiMetteDaParte) {
    QByteArray grande("[General]\nbarraMenu=false\n");
    while (grande.size() <= limiteFileIni)
        grande += "riempitivo" + QByteArray::number(grande.size()) + "=1\n";
    const QString daParte = file + QStringLiteral(".illeggibile");
    const std::vector<std::pair<const char*, std::function<void()>>> casi = {
        {"fifo", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0); }},
        {"grande", [&] { scriviFile(grande); }},
        {"/dev/zero", [&] { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file)); }},
    };
    for (const auto& [nome, pianta] : casi) {
        SCOPED_TRACE(nome);
        QFile::remove(file);
        QFile::remove(daParte);
        pianta();
        const auto com_era = [](const QString& f) {
            const QFileInfo i(f);
            return i.isSymLink() ? i.symLinkTarget() : QString::number(i.size()) + (i.isFile() ? "f" : "x");
        };
        const QString prima = com_era(file);
        std::unique_ptr<PreferenzeQt> p;
        auto righe = righeDiario([&] { p = std::make_unique<PreferenzeQt>(file); });
        ASSERT_EQ(righe.size(), 1u);
        EXPECT_NE(righe[0].find("valori predefiniti"), std::string::npos) << righe[0];
        EXPECT_TRUE(p->booleano("barraMenu", true));  // the default, not the big file's false

        p->scriviPropria("migratoDaKarvel", true);
        EXPECT_EQ(com_era(file), prima);

        righe = righeDiario([&] { p->scrivi("numeroPannelli", std::int64_t{6}); });
        EXPECT_EQ(com_era(daParte), prima);
        ASSERT_EQ(righe.size(), 1u);
        EXPECT_NE(righe[0].find("Pulsaro.conf.illeggibile"), std::string::npos) << righe[0];
        PreferenzeQt nuova(file);
        EXPECT_EQ(nuova.intero("numeroPannelli"), std::optional<std::int64_t>(6));
        EXPECT_EQ(nuova.booleano("migratoDaKarvel"), std::optional<bool>(true));
    }

    // The reader refuses an oversized device even when handed one directly.
    scriviFile("a=1\n" + QByteArray(limiteFileIni, ';'));
    QSettings s(file, formatoIni());
    EXPECT_FALSE(s.contains("a"));
    EXPECT_EQ(s.status(), QSettings::FormatError);
}
