#include "platform/linux/elemento_login_linux.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/albero_finto.h"
#include "platform/linux/voci_desktop.h"

namespace pulsaro {
namespace {

namespace fs = std::filesystem;

class ElementoLoginLinuxTest : public ::testing::Test {
protected:
    ElementoLoginLinuxTest() { scrivi(eseguibile, "#!/bin/sh\n"); }
    static std::string leggi(const fs::path& p) {
        std::stringstream s;
        s << std::ifstream(p).rdbuf();
        return s.str();
    }
    static void scrivi(const fs::path& p, const std::string& testo) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << testo;
    }
    fs::path file() const { return cartella / "pulsaro.desktop"; }

    prova::AlberoFinto albero;
    const fs::path radice = albero.radice(), cartella = radice / "config" / "autostart",
                   eseguibile = radice / "bin" / "pulsaro";
    const std::string nostra =
        "[Desktop Entry]\nType=Application\nName=Pulsaro\nExec=" + eseguibile.string() + " --da-login\n";
};

TEST_F(ElementoLoginLinuxTest, RegistraEAnnullaUnaVoceValidaAncheConCaratteriRiservati) {
    for (const char* nome : {"bin/pulsaro", "a$b`c\"d\\e/100%/pulsaro", "uno\ttab/p"}) {
        const fs::path percorso = radice / nome;
        scrivi(percorso, "");
        ElementoLoginLinux login(cartella, percorso);
        ASSERT_EQ(login.registra(), std::nullopt) << nome << ": the missing folder is made";
        EXPECT_EQ(login.stato(), StatoLogin::attivo) << nome << "\n" << leggi(file());
        EXPECT_EQ(ElementoLoginLinux(cartella, eseguibile).stato(),
                  percorso == eseguibile ? StatoLogin::attivo : StatoLogin::nonRegistrato);
        EXPECT_EQ(login.annulla(), std::nullopt);
        EXPECT_TRUE(fs::is_empty(cartella)) << "no file left behind";
    }
    EXPECT_EQ(execAutostart("/opt/a\\b/x"), "\"/opt/a\\\\\\\\b/x\" --da-login");
    EXPECT_EQ(execAutostart("/opt/5%/x"), "/opt/5%%/x --da-login");
}

TEST_F(ElementoLoginLinuxTest, VoceScrittaAManoSpentaOAltrui) {
    ElementoLoginLinux login(cartella, eseguibile);
    for (const char* spenta : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        scrivi(file(), nostra + spenta);
        EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato) << spenta;
    }
    // Rewritten: the switches that kept it off go, the user's own keys and groups stay.
    scrivi(file(),
           "# mio\n[Desktop Entry]\nName=Il mio monitor\nExec=/vecchio/pulsaro\n"
           "X-GNOME-Autostart-enabled = false\nHidden=true\n\n[Desktop Action nuova]\nName=Nuova\n");
    EXPECT_EQ(login.registra(), std::nullopt);
    EXPECT_EQ(login.stato(), StatoLogin::attivo);
    const std::string t = leggi(file());
    for (const char* resta : {"# mio\n", "Name=Il mio monitor\n", "[Desktop Action nuova]\nName=Nuova"})
        EXPECT_NE(t.find(resta), std::string::npos) << resta << " in\n" << t;

    // Files of others are not touched: a text that is no entry, an entry of a program that exists;
    // registering over the text that is no entry fails and says where.
    for (const std::string altrui : {"[Desktop Entry]\nType=Application\nName=Altro\nExec=/bin/sh -c true\n",
                                     "non è una voce desktop\n[Desktop Entry]\nName=x\n"}) {
        scrivi(file(), altrui);
        EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
        EXPECT_EQ(login.annulla(), std::nullopt);
        EXPECT_EQ(leggi(file()), altrui);
    }
    const auto errore = login.registra();
    ASSERT_TRUE(errore);
    EXPECT_NE(errore->find(file().string()), std::string::npos) << *errore;
}

TEST_F(ElementoLoginLinuxTest, ScritturaNonRiuscitaDiceLErrore) {
    // A file where the folder should be: no user can write there, root included.
    scrivi(radice / "occupato", "");
    const auto errore = ElementoLoginLinux(radice / "occupato" / "autostart", eseguibile).registra();
    ASSERT_TRUE(errore);
    EXPECT_EQ(*errore, "impossibile creare la cartella " + (radice / "occupato" / "autostart").string() +
                           ": " + std::generic_category().message(ENOTDIR));
    // A relative or empty XDG_CONFIG_HOME is ignored; with no home there is nowhere to write.
    EXPECT_EQ(cartellaAutostart("/x/conf", "/home/u"), fs::path("/x/conf/autostart"));
    EXPECT_EQ(cartellaAutostart("relativa", "/home/u"), fs::path("/home/u/.config/autostart"));
    EXPECT_EQ(cartellaAutostart(nullptr, nullptr), fs::path());
    EXPECT_TRUE(ElementoLoginLinux({}, "/opt/pulsaro").registra());
}

}  // namespace
}  // namespace pulsaro
