// What a start runs, and the help text.
#include <gtest/gtest.h>

#include "shell/avvio.h"

namespace pulsaro {
namespace {

TEST(Avvio, ModoDaArgomentiESchermo) {
    EXPECT_EQ(modoAvvio({}, true), Modo::applicazione);
    EXPECT_EQ(modoAvvio({"-pannellino", "--da-login"}, true), Modo::applicazione);
    // Whatever else the system or Qt adds does not stop the application.
    EXPECT_EQ(modoAvvio({"-psn_0_12345", "-NSDocumentRevisionsDebugMode", "YES", "-style"}, true),
              Modo::applicazione);
    EXPECT_EQ(modoAvvio({"--terminale"}, true), Modo::terminale);
    EXPECT_EQ(modoAvvio({}, false), Modo::terminale);
    EXPECT_EQ(modoAvvio({"--terminale", "--help"}, true), Modo::aiuto);
    EXPECT_EQ(modoAvvio({"-h"}, false), Modo::aiuto);
}

TEST(Avvio, LAiutoElencaOgniOpzione) {
    const std::string t = testoAiuto();
    for (const char* o : {"-pannellino", "--da-login", "--terminale", "--campioni", "--intervallo", "--json",
                          "--help", "--storia", "--silenzioso", "--esporta", "--esporta-processi"})
        EXPECT_NE(t.find(o), std::string::npos) << o;
}

}  // namespace
}  // namespace pulsaro
