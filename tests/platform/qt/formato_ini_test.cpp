#include "platform/qt/formato_ini.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/qt_app.h"

using namespace pulsaro;

namespace {

// Values that exercise every escape of the INI syntax.
QSettings::SettingsMap campioni() {
    return {
        {"spazi", QStringLiteral("  a capo \n e tab\t ")},
        {"virgole", QStringLiteral("a, b; c=d")},
        {"virgolette", QStringLiteral("\"citato\" e \\barra")},
        {"controllo", QStringLiteral("\x01\x1f"
                                     "0f\x7f")},
        {"zero", QString::fromUtf16(u"a\u0000"
                                    "7")},
        {"unicode", QStringLiteral("perché ⌘ 🙂")},
        {"chiocciola", QStringLiteral("@Variant(non un oggetto)")},
        {"vuota", QString()},
        {"byte", QByteArray("\x00\xff"
                            "ab,c",
                            7)},
        {"gruppo/chiave con spazio", QStringLiteral("x")},
        {"General/annidata/più", QStringLiteral("y")},
    };
}

}  // namespace

TEST(FormatoIni, ReadsQtsOwnIniFilesAndItsOwnBack) {
    // Files written before this reader existed must read the same.
    QTemporaryDir cartella;
    const QString file = cartella.filePath("qt.ini");
    {
        QSettings qt(file, QSettings::IniFormat);
        for (auto [chiave, valore] : campioni().asKeyValueRange()) qt.setValue(chiave, valore);
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(leggiIni(f.readAll()), campioni());
    EXPECT_EQ(leggiIni(scriviIni(campioni())), campioni());
    const QSettings::SettingsMap minuscolo = {{"general/x", QStringLiteral("z")}};  // not the top level
    EXPECT_EQ(leggiIni(scriviIni(minuscolo)), minuscolo);
}

TEST(FormatoIni, StoredObjectsAreNeverDecodedAndSurviveARewrite) {
    // A length of two gigabytes: decoding this asks the allocator for it. The settings file is in
    // this format, so such a value stays as it is when another key changes.
    const QByteArray oggetto = R"(@Variant(\0\0\0\n\x7f\xff\xff\xff))";
    QTemporaryDir cartella;
    QFile f(cartella.filePath("Pulsaro.conf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[General]\nrotta=" + oggetto + "\nquando=@DateTime(\\0\\0)\nok=1\n");
    f.close();
    QSettings s(f.fileName(), formatoIni());
    EXPECT_EQ(s.value("rotta").value<ValoreOpaco>().grezzo, oggetto);
    EXPECT_EQ(s.value("ok"), QStringLiteral("1"));
    s.setValue("ok", 2);
    s.sync();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray dopo = f.readAll();
    for (const QByteArray& riga :
         {"rotta=" + oggetto + "\n", QByteArray("quando=@DateTime(\\0\\0)\n"), QByteArray("ok=2\n")})
        EXPECT_TRUE(dopo.contains(riga)) << dopo.toStdString();
}

TEST(FormatoIni, HandEditedFilesReadAsAPersonMeansThem) {
    const QSettings::SettingsMap letta = leggiIni(
        "; commento\n"
        "  chiave  =  valore con spazi  \r\n"
        "lista = a , \"b, c\" ,d\n"
        "senza uguale\n"
        "=senza chiave\n"
        "[Apertura senza chiusura\n"
        "[GENERAL]\n"
        "dopo=1\n"
        "[%General]\n"
        "gruppo=2\n"
        "[a\\b]\n"
        "c%20d=3\n"
        "[altra]\n"
        "vuota=\n");
    const QSettings::SettingsMap attesa = {
        {"chiave", QStringLiteral("valore con spazi")},
        {"lista", QStringList{"a", "b, c", "d"}},
        {"dopo", QStringLiteral("1")},
        {"General/gruppo", QStringLiteral("2")},
        {"a/b/c d", QStringLiteral("3")},
        {"altra/vuota", QString()},
    };
    EXPECT_EQ(letta, attesa);
    EXPECT_EQ(leggiIni(scriviIni(letta)), attesa);
}
