#include <gtest/gtest.h>

#include <tuple>

#include "shell/cornice_finestra.h"
#include "shell/posizione_popover.h"

namespace pulsaro {
namespace {

TEST(CorniceFinestra, DaQtAlTestoDelMacEIndietro) {
    // A 1440 × 900 main screen with a 25-point menu bar: its visible frame is 0 0 1440 875.
    const Cornice c{QRect(100, 40, 980, 760), QRect(0, 25, 1440, 875)};
    const std::string t = testoCornice(c, 900);
    EXPECT_EQ(t, "100 100 980 760 0 0 1440 875 ");
    const auto indietro = leggiCornice(t, 900);
    ASSERT_TRUE(indietro);
    EXPECT_EQ(std::pair(indietro->finestra, indietro->schermo), std::pair(c.finestra, c.schermo));

    // A frame saved on a screen above the main one has a negative Qt y.
    const auto sopra = leggiCornice("200 1000 800 600 0 900 1920 1080", 900);
    ASSERT_TRUE(sopra);
    EXPECT_EQ(std::pair(sopra->finestra, sopra->schermo),
              std::pair(QRect(200, -700, 800, 600), QRect(0, -1080, 1920, 1080)));
}

TEST(CorniceFinestra, TestiIlleggibiliEFuoriSchermo) {
    for (const char* t : {"", "rotta", "1 2 3", "1 2 3 4 5", "1 2 0 4", "1 2 -5 4", "1 2 3 4x", "nan 2 3 4",
                          "10000000 2 3 4", "1 2 3 4 5 6 7 8 9"})
        EXPECT_FALSE(leggiCornice(t, 900)) << t;
    EXPECT_TRUE(leggiCornice("1.5 2 300.4 400", 900));  // decimals are rounded

    // Unreadable or off the screens: not used, the window is centred instead.
    const std::vector<QRect> aree{QRect(0, 25, 1440, 875)};
    EXPECT_TRUE(corniceUsabile("100 100 980 760 0 0 1440 875 ", 900, aree));
    EXPECT_FALSE(corniceUsabile("5000 100 980 760 0 0 1440 875 ", 900, aree));
    // Title bar above the top of the screen: cannot be grabbed.
    EXPECT_FALSE(corniceUsabile("100 800 980 760 0 0 1440 875 ", 900, aree));
    EXPECT_FALSE(corniceUsabile("100 160 980 760", 900, {QRect(0, 0, 1440, 900)}))
        << "four rows of title bar";
    EXPECT_FALSE(corniceUsabile("rotta", 900, aree));
}

// A frame saved on a larger screen comes back inside the screen it lands on: never larger than
// its available area, moved in rather than cut.
TEST(CorniceFinestra, RiportataDentroLoSchermoDoveCade) {
    const QRect piccolo(0, 0, 800, 600);
    for (auto [salvata, area, attesa] :
         {std::tuple{QRect(-90, 20, 980, 760), piccolo, piccolo},
          {QRect(500, 100, 600, 400), piccolo, QRect(200, 100, 600, 400)},
          {QRect(10, 10, 300, 200), piccolo, QRect(10, 10, 300, 200)},
          {QRect(10, 500, 300, 200), QRect(0, 25, 800, 575), QRect(10, 400, 300, 200)}})
        EXPECT_EQ(dentroArea(salvata, area), attesa) << salvata.x() << "," << salvata.y();

    // Two screens side by side: the small one on the right holds the title bar.
    const std::vector<QRect> aree{QRect(0, 0, 1440, 900), QRect(1440, 0, 800, 600)};
    EXPECT_EQ(corniceUsabile("1500 90 980 760", 900, aree), QRect(1440, 0, 800, 600));
    // Most of the title bar on the large one: it stays whole there.
    EXPECT_EQ(corniceUsabile("400 90 980 760", 900, aree), QRect(400, 50, 980, 760));
    EXPECT_EQ(corniceUsabile("100 100 980 760 0 0 1440 875 ", 900, {piccolo}), piccolo);
}

TEST(PosizionePopover, SottoLaVoceDentroLoSchermo) {
    const QRect area(0, 0, 1280, 800);
    const QSize p(300, 200);
    for (auto [voce, clic, misura, attesa] : {
             std::tuple{QRect(600, 0, 22, 22), QPoint(), p, QPoint(460, 26)},  // centred, a little below
             {QRect(1257, 0, 22, 22), QPoint(), p, QPoint(980, 26)},           // pulled inside the edge
             {QRect(600, 778, 22, 22), QPoint(), p, QPoint(460, 574)},         // a bottom panel: above
             {QRect(600, 300, 22, 22), QPoint(), QSize(300, 600), QPoint(460, 200)},  // no room either way
             {QRect(), QPoint(100, 10), p, QPoint(0, 15)},  // no rectangle: at the click
             {QRect(600, 0, 22, 22), QPoint(), QSize(2000, 1000), QPoint(0, 0)},  // top left on screen
         })
        EXPECT_EQ(posizionePopover(voce, clic, misura, area), attesa) << voce.x() << "," << voce.y();
}

}  // namespace
}  // namespace pulsaro
