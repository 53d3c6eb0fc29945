#include <gtest/gtest.h>

#include <QFontDatabase>
#include <optional>
#include <vector>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/barra.h"
#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/disegno_contagiri.h"
#include "widgets/elementi_processo.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/testi_statici.h"

using namespace pulsaro;

TEST(Testi, NomiComeTestoSempliceSuUnaRiga) {
    const QFont f = carattere(StileTesto::body);
    // Tags are characters to measure, not markup to interpret.
    EXPECT_GT(misuraTesto("<b>x</b>", f).width(), misuraTesto("x", f).width() * 4);
    EXPECT_GT(misuraTesto("a&b", f).width(), misuraTesto("ab", f).width());

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
}

namespace {

QString nome(const std::string& n, std::int32_t pid = 1234) {
    UsoProcesso p;
    p.id = pid;
    p.nome = n;
    return nomeProcesso(p);
}

const QChar isola(0x2068), fineIsola(0x2069);

}  // namespace

// Names that would reorder themselves or their neighbours, or vanish: the steering characters are
// written out as the terminal mode writes them, each name is isolated, a nameless one gets its pid.
TEST(Testi, NomiDiProcessoVisibiliEIsolati) {
    EXPECT_EQ(nome("Safari"), isola + QStringLiteral("Safari") + fineIsola);
    // U+202E would make "gnp.exe" read "exe.png".
    const QString inganno = nome("\u202egnp.exe");
    EXPECT_EQ(inganno, isola + QStringLiteral("\\u202egnp.exe") + fineIsola);
    for (const char* n : {"a\u2066b", "a\u200bb", "a\u200fb", "a\ufeffb", "a\u2028b"}) {
        const QString v = nome(n);
        EXPECT_TRUE(v.contains(QStringLiteral("\\u"))) << n;
        for (const QChar c : v.mid(1, v.size() - 2))
            EXPECT_TRUE(c.category() != QChar::Other_Format && c.category() != QChar::Separator_Line) << n;
    }
    EXPECT_EQ(nome("due\nrighe\tqui\x1b"), isola + QStringLiteral("due\\nrighe\\tqui\\x1b") + fineIsola);
    // A backslash of the name itself cannot pass for an escape.
    EXPECT_EQ(nome("a\\u202e"), isola + QStringLiteral("a\\\\u202e") + fineIsola);
    // Right-to-left letters stay as they are, inside the isolate.
    EXPECT_EQ(nome("\u05e9\u05dc\u05d5\u05dd"),
              isola + QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd") + fineIsola);
    // Nameless.
    EXPECT_EQ(nome("", 1234), isola + QStringLiteral("(pid 1234)") + fineIsola);
    EXPECT_EQ(nome("  ", 7), isola + QStringLiteral("(pid 7)") + fineIsola);
    EXPECT_EQ(nome("\u0301\ufe0f\u3164", 8), isola + QStringLiteral("(pid 8)") + fineIsola);  // shows nothing

    // The isolate marks take no room: a name measures as its letters.
    const QFont f = carattere(StileTesto::body);
    EXPECT_NEAR(misuraTesto(nome("Safari"), f).width(), misuraTesto("Safari", f).width(), 0.01);
}

namespace {

// A family whose digits are not all one width (Inter, the Mac's system font), when one is
// installed: with it the steady digits are put to the test; without, they must still hold.
std::optional<QString> famigliaProporzionale() {
    QStringList famiglie = QFontDatabase::families();
    famiglie.prepend(QStringLiteral("Inter"));
    for (const QString& f : famiglie) {
        if (!QFontDatabase::hasFamily(f)) continue;
        QFont font(f);
        font.setPixelSize(20);
        const QFontMetricsF m(font);
        if (std::abs(m.horizontalAdvance("1") - m.horizontalAdvance("8")) > 0.5) return f;
    }
    return std::nullopt;
}

// The font the widgets use, in the proportional family for the duration.
class CarattereProporzionale {
public:
    CarattereProporzionale() : prima_(QGuiApplication::font()) {
        if (auto f = famigliaProporzionale()) QGuiApplication::setFont(QFont(*f));
    }
    ~CarattereProporzionale() { QGuiApplication::setFont(prima_); }

private:
    QFont prima_;
};

}  // namespace

TEST(Cifre, OgniCifraNellaSuaCella) {
    std::vector<QFont> fonts{carattere(StileTesto::caption)};
    if (auto f = famigliaProporzionale()) {
        QFont p(*f);
        p.setPixelSize(11);
        fonts.push_back(p);
    }
    for (const QFont& f : fonts) {
        const CifreFisse c(f);
        const QFontMetricsF m(f);
        EXPECT_DOUBLE_EQ(c.larghezza("11%"), c.larghezza("88%")) << f.family().toStdString();
        EXPECT_DOUBLE_EQ(c.larghezza("11%"), 2 * c.cella() + m.horizontalAdvance("%"))
            << f.family().toStdString();
        EXPECT_DOUBLE_EQ(misuraCifre("1,5 GB · pid 111", f).width(),
                         misuraCifre("8,8 GB · pid 808", f).width());
        if (std::abs(m.horizontalAdvance("1") - m.horizontalAdvance("8")) < 1e-3) continue;
        // Each digit centred in its cell, other characters at their own advance, blanks unpainted.
        const auto pezzi = c.pezzi("  10%");
        ASSERT_EQ(pezzi.size(), 3u) << f.family().toStdString();
        const double spazi = m.horizontalAdvance("  ");
        EXPECT_EQ(pezzi[0].testo, "1");
        EXPECT_NEAR(pezzi[0].x, spazi + (c.cella() - m.horizontalAdvance("1")) / 2, 1e-9);
        EXPECT_NEAR(pezzi[1].x, spazi + c.cella() + (c.cella() - m.horizontalAdvance("0")) / 2, 1e-9);
        EXPECT_EQ(pezzi[2].testo, "%");
        EXPECT_NEAR(pezzi[2].x, spazi + 2 * c.cella(), 1e-9);
        // A cut text still fits.
        const QString tagliato = testoCifreTagliato("1,5 GB · pid 4242", f, 40);
        EXPECT_TRUE(tagliato.endsWith(QChar(0x2026)));
        EXPECT_LE(misuraCifre(tagliato, f).width(), 40);
    }
}

TEST(Cifre, IValoriNonSiSpostanoNeiWidget) {
    ImmaginiContagiri immagini;
    // Where a digit changes, the others keep their place: the gauge's centred value keeps its
    // percent sign, the bar's right-aligned one its leading digit.
    const CarattereProporzionale proporzionale;
    const Aspetto a = Aspetto::chiaro;
    const QColor fondo = Tema::panel(a);
    const auto inchiostrato = [&](const QColor& c) { return !prova::simile(c, fondo, 40); };
    const QRectF cornice(0, 0, 170, 150);
    const auto g = geometriaContagiri(cornice, 0.5);
    const auto valoreContagiri = [&](const QString& testo) {
        const auto t = prova::dipingiSu(cornice.size(), 2, QPointF(0.3, 0.7), fondo, [&](QPainter& p) {
            disegnaContagiri(p, cornice, 0.5, testo, QString(), a, immagini);
        });
        return prova::inchiostro(
            t, QRectF(g.centro.x() - 0.25 * g.d, g.centroTesti.y() - 0.06 * g.d, 0.5 * g.d, 0.12 * g.d),
            inchiostrato);
    };
    EXPECT_NEAR(valoreContagiri("11%").right(), valoreContagiri("88%").right(), 0.5);

    const QRectF r(0, 0, 200, 30);
    const auto valoreBarra = [&](double v) {
        const auto t = prova::dipingiSu(r.size(), 2, QPointF(0.3, 0.7), fondo,
                                        [&](QPainter& p) { disegnaBarra(p, r, v, QString(), true, a); });
        return prova::inchiostro(t, QRectF(0, 0, r.width(), (r.height() - altezzaBarra()) / 2 + 10),
                                 inchiostrato);
    };
    EXPECT_NEAR(valoreBarra(81).left(), valoreBarra(88).left(), 0.5);
}
