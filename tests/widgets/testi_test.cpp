#include <gtest/gtest.h>

#include <QFontDatabase>
#include <tuple>
#include <vector>

#include "support/qt_app.h"
#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/elementi_processo.h"
#include "widgets/testi_statici.h"

using namespace pulsaro;

TEST(Testi, NomiComeTestoSempliceSuUnaRiga) {
    const QFont f = carattere(StileTesto::body);
    // Tags are characters to measure, not markup to interpret.
    EXPECT_GT(misuraTesto("<b>x</b>", f).width(), misuraTesto("x", f).width() * 4);
    const QString lungo = QString(200, QLatin1Char('m'));
    const QString tagliato = testoTagliato(lungo, f, 120);
    EXPECT_TRUE(tagliato.endsWith(QChar(0x2026)));
    EXPECT_LE(misuraTesto(tagliato, f).width(), 120.5);
    EXPECT_GT(testoTagliato(lungo, f, 240).size(), tagliato.size());
    EXPECT_EQ(testoTagliato("breve", f, 120), "breve");

    UsoProcesso p;
    p.id = 4242;
    p.memoria = 50ull << 20;
    EXPECT_EQ(testoMemoriaPid(p), QStringLiteral("50 MB · pid 4242"));
    // The isolate marks take no room: a name measures as its letters.
    p.nome = "Safari";
    EXPECT_NEAR(misuraTesto(nomeProcesso(p), f).width(), misuraTesto("Safari", f).width(), 0.01);
}

// Names that would reorder themselves or their neighbours, or vanish: the steering characters are
// written out as the terminal mode writes them, each name is isolated, a nameless one gets its pid.
TEST(Testi, NomiDiProcessoVisibiliEIsolati) {
    const std::tuple<std::string, std::int32_t, QString> casi[] = {
        {"Safari", 1, "Safari"},
        {"\u202egnp.exe", 1, "\\u202egnp.exe"},  // U+202E would make "gnp.exe" read "exe.png"
        {"a\u2066b", 1, "a\\u2066b"},
        {"a\u200bb", 1, "a\\u200bb"},
        {"a\u200fb", 1, "a\\u200fb"},
        {"a\ufeffb", 1, "a\\ufeffb"},
        {"a\u2028b", 1, "a\\u2028b"},
        {"due\nrighe\tqui\x1b", 1, "due\\nrighe\\tqui\\x1b"},
        {"a\\u202e", 1, "a\\\\u202e"},  // a backslash of the name cannot pass for an escape
        {"\u05e9\u05dc\u05d5\u05dd", 1, QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd")},  // as they are
        {"", 1234, "(pid 1234)"},
        {"  ", 7, "(pid 7)"},
        {"\u0301\ufe0f\u3164", 8, "(pid 8)"},  // shows nothing
        {"\uffa0\uffa0", 9, "(pid 9)"},
    };
    for (const auto& [nome, pid, visto] : casi) {
        UsoProcesso p;
        p.id = pid;
        p.nome = nome;
        EXPECT_EQ(nomeProcesso(p), QChar(0x2068) + visto + QChar(0x2069)) << nome;
    }
}

namespace {

// A font whose digits are not all one width (Inter, the Mac's system font, when installed): with
// it the steady digits are put to the test; without, they must still hold.
QFont proporzionale(int pixel) {
    QStringList famiglie = QFontDatabase::families();
    famiglie.prepend(QStringLiteral("Inter"));
    for (const QString& famiglia : famiglie) {
        QFont f(famiglia);
        f.setPixelSize(pixel);
        const QFontMetricsF m(f);
        if (std::abs(m.horizontalAdvance("1") - m.horizontalAdvance("8")) > 0.5) return f;
    }
    return carattere(StileTesto::caption);
}

}  // namespace

TEST(Cifre, OgniCifraNellaSuaCella) {
    for (const QFont& f : {carattere(StileTesto::caption), proporzionale(11)}) {
        SCOPED_TRACE(f.family().toStdString());
        const CifreFisse c(f);
        const QFontMetricsF m(f);
        EXPECT_DOUBLE_EQ(c.larghezza("11%"), c.larghezza("88%"));
        EXPECT_DOUBLE_EQ(c.larghezza("11%"), 2 * c.cella() + m.horizontalAdvance("%"));
        EXPECT_DOUBLE_EQ(misuraCifre("1,5 GB · pid 111", f).width(),
                         misuraCifre("8,8 GB · pid 808", f).width());
        const QString tagliato = testoCifreTagliato("1,5 GB · pid 4242", f, 40);
        EXPECT_TRUE(tagliato.endsWith(QChar(0x2026)));
        EXPECT_LE(misuraCifre(tagliato, f).width(), 40);
        if (std::abs(m.horizontalAdvance("1") - m.horizontalAdvance("8")) < 1e-3) continue;
        // Each digit centred in its cell, other characters at their own advance, blanks unpainted.
        const auto pezzi = c.pezzi("  10%");
        ASSERT_EQ(pezzi.size(), 3u);
        const double spazi = m.horizontalAdvance("  ");
        EXPECT_EQ(pezzi[0].testo, "1");
        EXPECT_NEAR(pezzi[0].x, spazi + (c.cella() - m.horizontalAdvance("1")) / 2, 1e-9);
        EXPECT_NEAR(pezzi[1].x, spazi + c.cella() + (c.cella() - m.horizontalAdvance("0")) / 2, 1e-9);
        EXPECT_EQ(pezzi[2].testo, "%");
        EXPECT_NEAR(pezzi[2].x, spazi + 2 * c.cella(), 1e-9);
    }
}
