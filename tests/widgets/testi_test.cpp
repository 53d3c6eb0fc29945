#include <gtest/gtest.h>

#include "support/qt_app.h"
#include "widgets/caratteri.h"
#include "widgets/elementi_processo.h"
#include "widgets/testi_statici.h"

using namespace pulsaro;

TEST(Testi, NomiComeTestoSempliceSuUnaRiga) {
    const QFont f = carattere(StileTesto::body);
    // Tags are characters to measure, not markup to interpret.
    EXPECT_GT(misuraTesto("<b>x</b>", f).width(), misuraTesto("x", f).width() * 4);
    EXPECT_GT(misuraTesto("a&b", f).width(), misuraTesto("ab", f).width());
    EXPECT_EQ(unaRiga("due\nrighe\tqui"), "due righe qui");

    const QString lungo = QString(200, QLatin1Char('m'));
    const QString tagliato = testoTagliato(lungo, f, 120);
    EXPECT_TRUE(tagliato.endsWith(QChar(0x2026)));
    EXPECT_LE(misuraTesto(tagliato, f).width(), 120.5);
    EXPECT_EQ(testoTagliato(lungo, f, 120), tagliato);
    EXPECT_GT(testoTagliato(lungo, f, 240).size(), tagliato.size());
    EXPECT_EQ(testoTagliato("breve", f, 120), "breve");

    UsoProcesso p;
    p.id = 4242;
    p.memoria = 50ull << 20;
    EXPECT_EQ(testoMemoriaPid(p), QStringLiteral("50 MB · pid 4242"));
}
