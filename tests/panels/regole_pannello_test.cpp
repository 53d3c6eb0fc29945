#include "panels/regole_pannello.h"

#include <gtest/gtest.h>

#include <tuple>

#include "panels/vista.h"
#include "platform/testi_desktop.h"

using namespace pulsaro;

TEST(RegolePannello, AltezzaDellAreaDellaLista) {
    // 200 until measured; a short screen: the list gives way, down to a usable minimum.
    for (auto [misurata, attesa] :
         {std::pair{0.0, 200.0}, {-5, 200}, {std::nan(""), 200}, {330, 330}, {700, 560}})
        EXPECT_EQ(altezzaAreaLista(misurata), attesa) << misurata;
    for (auto [misurata, spazio, attesa] : {std::tuple{700.0, 400.0, 400.0},
                                            {700, 50, altezzaListaMinimaSchermo},
                                            {330, 900, 330},
                                            {0, 150, 150}})
        EXPECT_EQ(altezzaAreaLista(misurata, spazio), attesa) << misurata << " in " << spazio;
    // 2 points or less are ignored.
    for (auto [prima, dopo, nuova] : {std::tuple{330.0, 332.0, false}, {330, 328, false}, {330, 332.5, true}})
        EXPECT_EQ(misuraNuova(prima, dopo), nuova) << dopo;
}

TEST(RegolePannello, AdattamentoDellaFinestra) {
    const QRect cornice(100, 50, 980, 760);  // title bar 28: content 732
    const QRect schermo(0, 25, 1440, 875);   // available area: y 25 … 899

    // 300 or less is not trusted; 2 points are no change.
    for (double adatta : {300.0, 734.0, 730.0})
        EXPECT_FALSE(adattamentoFinestra(cornice, 732, adatta, schermo));

    EXPECT_EQ(adattamentoFinestra(cornice, 732, 600, schermo), QRect(100, 50, 980, 628)) << "title bar kept";

    // Taller than the screen: exactly as tall as the available area, inside it.
    EXPECT_EQ(adattamentoFinestra(cornice, 732, 2000, schermo), QRect(100, 25, 980, 875));

    // Growing past the bottom moves the window up, not off the screen.
    EXPECT_EQ(adattamentoFinestra(QRect(100, 400, 980, 400), 372, 700, schermo), QRect(100, 172, 980, 728));

    // Without a screen the top edge stays whatever the height.
    EXPECT_EQ(adattamentoFinestra(QRect(0, 0, 980, 400), 400, 2000, std::nullopt), QRect(0, 0, 980, 2000));
}

TEST(RegolePannello, SottotitoliDelleRisorse) {
    UsoTotale t;
    t.cpu = 42.4;
    t.core = {3, 2};
    t.gpu = 17.6;
    t.gpuWatt = 3.26;
    const std::string core = t.core.testo();

    // Not following: the machine.
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::cpu, t, false, false, std::nullopt, 8),
              QString::fromStdString("42% · " + core + " impegnati"));
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::gpu, t, false, false, std::nullopt, 8), "18% · 3.3 W");
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, false, false, std::nullopt, 8), "a riposo");
    t.aneApp = {"Foto"};
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, true, false, std::nullopt, 8), "acceso · 1 app collegata");
    t.aneApp = {"Foto", "Xcode"};
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, true, false, std::nullopt, 8), "acceso · 2 app collegate");
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, false, false, std::nullopt, 8),
              "a riposo · 2 app collegate");

    // Following a live process: its figures; a detail passed while not following is ignored.
    UsoProcesso d{42, "python3", 150.0, 12.34, 0, true, 1};
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::cpu, t, true, true, d, 8), "150.0% · 12.00 core");
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::gpu, t, true, true, d, 8), "12.3% della GPU");
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, true, true, d, 8), "collegato · Neural Engine acceso");
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, false, true, d, 8), "collegato · a riposo");
    d.usaANE = false;
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::ane, t, true, true, d, 8), "non collegato");
    EXPECT_EQ(sottotitoloRisorsa(Risorsa::cpu, t, false, false, d, 8).left(3), "42%");
}

TEST(RegolePannello, TestiVistaIntervalloEAiuto) {
    EXPECT_EQ(vistaDaTesto("contagiri"), Vista::barre) << "stored names are matched exactly";
    EXPECT_EQ(indiceIntervallo(2.5), 2) << "a stored interval off the list shows the nearest";

    // The machine is called what it is on this desktop.
    const bool mac = formaTestiDiSistema() == FormaTesti::mac;
    EXPECT_TRUE(testoAiuto(12).contains(mac ? "capacità totale del Mac (12 core). Il Neural Engine"
                                            : "capacità totale del computer (12 core). Il Neural Engine"));
    EXPECT_EQ(testoAiuto(12).contains("Mac"), mac);
}
