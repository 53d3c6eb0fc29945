#include "platform/linux/elemento_login_linux.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/albero_finto.h"
#include "platform/linux/voci_desktop.h"

namespace pulsaro {
namespace {

namespace fs = std::filesystem;

std::string leggi(const fs::path& p) {
    std::stringstream s;
    s << std::ifstream(p).rdbuf();
    return s.str();
}

void scrivi(const fs::path& p, const std::string& testo) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << testo;
}

class ElementoLoginLinuxTest : public ::testing::Test {
protected:
    void SetUp() override {
        scrivi(eseguibile, "#!/bin/sh\n");
        fs::permissions(eseguibile, fs::perms::owner_all);
    }
    fs::path file() const { return cartella / "pulsaro.desktop"; }
    std::string voce(const std::string& exec, const std::string& altro = "") const {
        return "[Desktop Entry]\nType=Application\nName=Pulsaro\nExec=" + exec + "\n" + altro;
    }

    prova::AlberoFinto albero;
    const fs::path radice = albero.radice(), cartella = radice / "config" / "autostart",
                   eseguibile = radice / "bin" / "pulsaro";
    const std::string nostra = eseguibile.string() + " --da-login";
};

TEST_F(ElementoLoginLinuxTest, RegistraEAnnullaUnaVoceValidaAncheConCaratteriRiservati) {
    for (const char* nome :
         {"bin/pulsaro", "la mia cartella/pulsaro", "a$b`c\"d\\e/100%/pulsaro", "uno\ttab/p"}) {
        const fs::path percorso = radice / nome;
        scrivi(percorso, "");
        ElementoLoginLinux login(cartella, percorso);
        EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
        ASSERT_EQ(login.registra(), std::nullopt) << nome << ": the missing folder is made";
        EXPECT_EQ(login.stato(), StatoLogin::attivo) << nome << "\n" << leggi(file());
        // Registering again changes nothing; another executable does not count as registered.
        const std::string prima = leggi(file());
        EXPECT_EQ(login.registra(), std::nullopt);
        EXPECT_EQ(leggi(file()), prima);
        if (percorso != eseguibile) {
            EXPECT_EQ(ElementoLoginLinux(cartella, eseguibile).stato(), StatoLogin::nonRegistrato);
        }

        EXPECT_EQ(login.annulla(), std::nullopt);
        EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
        EXPECT_EQ(login.annulla(), std::nullopt) << "nothing to remove is not an error";
        EXPECT_TRUE(fs::is_empty(cartella)) << "no file left behind";
    }
    EXPECT_EQ(execAutostart("/opt/a b/x"), "\"/opt/a b/x\" --da-login");
    EXPECT_EQ(execAutostart("/opt/a\\b/x"), "\"/opt/a\\\\\\\\b/x\" --da-login");
    EXPECT_EQ(execAutostart("/opt/5%/x"), "/opt/5%%/x --da-login");
}

TEST_F(ElementoLoginLinuxTest, VoceScrittaAManoSpentaONascostaOSparita) {
    ElementoLoginLinux login(cartella, eseguibile);
    for (const char* spenta : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        scrivi(file(), voce(nostra, spenta));
        EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato) << spenta;
    }
    // Rewritten: the switches that kept it off go, the user's own keys, comments and groups stay.
    scrivi(file(),
           "# mio\n[Desktop Entry]\nName=Il mio monitor\nName[de]=Monitor\nExec=/vecchio/pulsaro\n"
           "TryExec=/vecchio/pulsaro\nX-GNOME-Autostart-Delay=10\nX-GNOME-Autostart-enabled = false\n"
           "Hidden=true\n\n[Desktop Action nuova]\nName=Nuova\nExec=/bin/true\n");
    EXPECT_EQ(login.registra(), std::nullopt);
    EXPECT_EQ(login.stato(), StatoLogin::attivo);
    const std::string t = leggi(file());
    for (const char* resta :
         {"# mio\n", "Name=Il mio monitor\n", "Name[de]=Monitor\n", "X-GNOME-Autostart-Delay=10\n",
          "[Desktop Action nuova]\nName=Nuova\nExec=/bin/true\n"})
        EXPECT_NE(t.find(resta), std::string::npos) << resta << " in\n" << t;
    for (const char* via : {"Hidden", "TryExec", "enabled", "/vecchio", "Name=Pulsaro"})
        EXPECT_EQ(t.find(via), std::string::npos) << via << " in\n" << t;
    EXPECT_EQ(leggiVoceDesktop(t, "")->exec, nostra);

    // Switched off by hand but naming this program: unregistering removes it.
    scrivi(file(), voce(nostra, "Hidden=true\n"));
    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_FALSE(fs::exists(file()));

    // A leftover of a program that is gone is told apart, and pointed at this one.
    scrivi(file(), voce("/nessuno/pulsaro --da-login"));
    EXPECT_EQ(login.stato(), StatoLogin::nonTrovato);
    EXPECT_EQ(login.registra(), std::nullopt);
    EXPECT_EQ(login.stato(), StatoLogin::attivo);

    // Files of others are not touched: a text that is no entry, an entry of a program that exists.
    const std::string estraneo = "non è una voce desktop\n[Desktop Entry]\nName=x\n";
    scrivi(file(), estraneo);
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
    const auto errore = login.registra();
    ASSERT_TRUE(errore);
    EXPECT_NE(errore->find(file().string()), std::string::npos) << *errore;
    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_EQ(leggi(file()), estraneo) << "neither registering nor unregistering touches it";
    const std::string altro = "[Desktop Entry]\nType=Application\nName=Altro\nExec=/bin/sh -c true\n";
    scrivi(file(), altro);
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_EQ(leggi(file()), altro);
}

TEST_F(ElementoLoginLinuxTest, ScritturaNonRiuscitaDiceLErrore) {
    // A file where the folder should be: no user can write there, root included.
    scrivi(radice / "occupato", "");
    ElementoLoginLinux bloccato(radice / "occupato" / "autostart", eseguibile);
    const auto errore = bloccato.registra();
    ASSERT_TRUE(errore);
    // Said in Italian with the path, the system's own reason after it.
    EXPECT_EQ(errore->rfind("impossibile creare la cartella " + (radice / "occupato").string(), 0), 0u)
        << *errore;
    EXPECT_TRUE(errore->ends_with(": " + std::generic_category().message(ENOTDIR))) << *errore;
    EXPECT_EQ(bloccato.stato(), StatoLogin::nonRegistrato);
}

TEST_F(ElementoLoginLinuxTest, QuelloDiSistemaSegueXdgConfigHomeEAvviaQuestoEseguibile) {
    EXPECT_EQ(cartellaAutostart("/x/conf", "/home/u"), fs::path("/x/conf/autostart"));
    EXPECT_EQ(cartellaAutostart("relativa", "/home/u"), fs::path("/home/u/.config/autostart"));
    EXPECT_EQ(cartellaAutostart("", "/home/u"), fs::path("/home/u/.config/autostart"));
    EXPECT_EQ(cartellaAutostart(nullptr, nullptr), fs::path());
    ElementoLoginLinux senzaCasa({}, "/opt/pulsaro");
    EXPECT_EQ(senzaCasa.stato(), StatoLogin::nonRegistrato);
    EXPECT_TRUE(senzaCasa.registra());

    const char* prima = std::getenv("XDG_CONFIG_HOME");
    const std::string vecchio = prima ? prima : "";
    ::setenv("XDG_CONFIG_HOME", (radice / "config").c_str(), 1);
    auto login = elementoLoginDiSistema();
    if (prima)
        ::setenv("XDG_CONFIG_HOME", vecchio.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(login->registra(), std::nullopt);
    EXPECT_EQ(paroleExec(leggiVoceDesktop(leggi(file()), "")->exec).at(0),
              fs::read_symlink("/proc/self/exe"));
    EXPECT_EQ(login->annulla(), std::nullopt);
    EXPECT_FALSE(fs::exists(file()));
}

}  // namespace
}  // namespace pulsaro
