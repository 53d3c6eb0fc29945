#include "platform/linux/elemento_login_linux.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
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
    std::ifstream f(p);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void scrivi(const fs::path& p, const std::string& testo) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << testo;
}

// desktop-file-validate's complaints, empty when the entry passes; nullopt without the tool.
std::optional<std::string> convalida(const fs::path& p) {
    if (!fs::exists("/usr/bin/desktop-file-validate")) return std::nullopt;
    const std::string comando = "/usr/bin/desktop-file-validate '" + p.string() + "' 2>&1";
    FILE* f = ::popen(comando.c_str(), "r");
    if (!f) return std::nullopt;
    std::string uscita;
    char buf[512];
    while (std::fgets(buf, sizeof buf, f)) uscita += buf;
    const int stato = ::pclose(f);
    return stato == 0 ? uscita : "exit " + std::to_string(stato) + ": " + uscita;
}

class ElementoLoginLinuxTest : public ::testing::Test {
protected:
    void SetUp() override {
        scrivi(eseguibile, "#!/bin/sh\n");
        fs::permissions(eseguibile, fs::perms::owner_all);
    }
    fs::path file() const { return cartella / "pulsaro.desktop"; }

    prova::AlberoFinto albero;
    const fs::path radice = albero.radice(), cartella = radice / "config" / "autostart",
                   eseguibile = radice / "bin" / "pulsaro";
};

TEST_F(ElementoLoginLinuxTest, RegistraEAnnullaUnaVoceValida) {
    ElementoLoginLinux login(cartella, eseguibile);
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);

    EXPECT_EQ(login.registra(), std::nullopt) << "the missing folder is made";
    EXPECT_EQ(login.stato(), StatoLogin::attivo);
    const auto voce = leggiVoceDesktop(leggi(file()), "");
    ASSERT_TRUE(voce);
    EXPECT_EQ(voce->nome, "Pulsaro");
    EXPECT_EQ(paroleExec(voce->exec), (std::vector<std::string>{eseguibile.string(), "--da-login"}));
    if (const auto v = convalida(file())) {
        EXPECT_EQ(*v, "");
    }
    // Registering again changes nothing.
    const std::string prima = leggi(file());
    EXPECT_EQ(login.registra(), std::nullopt);
    EXPECT_EQ(leggi(file()), prima);

    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
    EXPECT_EQ(login.annulla(), std::nullopt) << "nothing to remove is not an error";
    EXPECT_TRUE(fs::is_empty(cartella)) << "no temporary file left behind";
}

TEST_F(ElementoLoginLinuxTest, PercorsiConCaratteriRiservati) {
    for (const char* nome : {"la mia cartella/pulsaro", "a$b`c\"d\\e/100%/pulsaro", "uno\ttab/pulsaro"}) {
        const fs::path strano = radice / nome;
        scrivi(strano, "");
        ElementoLoginLinux login(cartella, strano);
        ASSERT_EQ(login.registra(), std::nullopt) << nome;
        EXPECT_EQ(login.stato(), StatoLogin::attivo) << nome << "\n" << leggi(file());
        const auto voce = leggiVoceDesktop(leggi(file()), "");
        ASSERT_TRUE(voce);
        if (const auto v = convalida(file())) {
            EXPECT_EQ(*v, "") << nome;
        }
        // Another executable does not count as registered.
        EXPECT_EQ(ElementoLoginLinux(cartella, eseguibile).stato(), StatoLogin::nonRegistrato);
    }
    EXPECT_EQ(execAutostart("/opt/pulsaro"), "/opt/pulsaro --da-login");
    EXPECT_EQ(execAutostart("/opt/a b/x"), "\"/opt/a b/x\" --da-login");
    EXPECT_EQ(execAutostart("/opt/a\\b/x"), "\"/opt/a\\\\\\\\b/x\" --da-login");
    EXPECT_EQ(execAutostart("/opt/5%/x"), "/opt/5%%/x --da-login");
}

TEST_F(ElementoLoginLinuxTest, VoceScrittaAManoSpentaONascosta) {
    ElementoLoginLinux login(cartella, eseguibile);
    const std::string exec = "Exec=" + eseguibile.string() + " --da-login\n";
    scrivi(file(), "[Desktop Entry]\nType=Application\nName=Pulsaro\n" + exec + "Hidden=true\n");
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
    scrivi(file(),
           "[Desktop Entry]\nType=Application\nName=Pulsaro\n" + exec + "X-GNOME-Autostart-enabled=false\n");
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);

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
    EXPECT_EQ(leggiVoceDesktop(t, "")->exec, eseguibile.string() + " --da-login");

    // Switched off by hand but naming this program: unregistering removes it.
    scrivi(file(), "[Desktop Entry]\nType=Application\nName=Pulsaro\n" + exec + "Hidden=true\n");
    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(ElementoLoginLinuxTest, AvanzoDiUnProgrammaSparito) {
    ElementoLoginLinux login(cartella, eseguibile);
    scrivi(file(), "[Desktop Entry]\nType=Application\nName=Pulsaro\nExec=/nessuno/pulsaro --da-login\n");
    EXPECT_EQ(login.stato(), StatoLogin::nonTrovato);
    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_FALSE(fs::exists(file())) << "a leftover is cleared";

    scrivi(file(), "[Desktop Entry]\nType=Application\nName=Pulsaro\nExec=/nessuno/pulsaro --da-login\n");
    EXPECT_EQ(login.registra(), std::nullopt);
    EXPECT_EQ(login.stato(), StatoLogin::attivo) << "registering points it at this executable";
}

TEST_F(ElementoLoginLinuxTest, FileAltruiNonToccati) {
    ElementoLoginLinux login(cartella, eseguibile);
    const std::string estraneo = "non è una voce desktop\n[Desktop Entry]\nName=x\n";
    scrivi(file(), estraneo);
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
    const auto errore = login.registra();
    ASSERT_TRUE(errore);
    EXPECT_NE(errore->find(file().string()), std::string::npos) << *errore;
    EXPECT_EQ(login.annulla(), std::nullopt);
    EXPECT_EQ(leggi(file()), estraneo) << "neither registering nor unregistering touches it";

    // An entry of another program that exists: not this item, left alone by unregistering.
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
    EXPECT_NE(errore->find((radice / "occupato").string()), std::string::npos) << *errore;
    // Said in Italian, the system's own reason after it.
    EXPECT_EQ(errore->rfind("impossibile creare la cartella ", 0), 0u) << *errore;
    const std::string motivo = ": " + std::generic_category().message(ENOTDIR);
    EXPECT_TRUE(errore->ends_with(motivo)) << *errore;
    EXPECT_EQ(bloccato.stato(), StatoLogin::nonRegistrato);
}

TEST_F(ElementoLoginLinuxTest, CartellaDiSolaLetturaDiceLErrore) {
    fs::create_directories(cartella);
    fs::permissions(cartella, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    ElementoLoginLinux login(cartella, eseguibile);
    const auto negato = login.registra();
    ASSERT_TRUE(negato);
    EXPECT_NE(negato->find(cartella.string()), std::string::npos) << *negato;
    EXPECT_EQ(login.stato(), StatoLogin::nonRegistrato);
}

TEST(CartellaAutostart, SegueXdgConfigHome) {
    EXPECT_EQ(cartellaAutostart("/x/conf", "/home/u"), fs::path("/x/conf/autostart"));
    EXPECT_EQ(cartellaAutostart("relativa", "/home/u"), fs::path("/home/u/.config/autostart"));
    EXPECT_EQ(cartellaAutostart("", "/home/u"), fs::path("/home/u/.config/autostart"));
    EXPECT_EQ(cartellaAutostart(nullptr, nullptr), fs::path());
    ElementoLoginLinux senzaCasa({}, "/opt/pulsaro");
    EXPECT_EQ(senzaCasa.stato(), StatoLogin::nonRegistrato);
    EXPECT_TRUE(senzaCasa.registra());
}

TEST_F(ElementoLoginLinuxTest, QuelloDiSistemaAvviaQuestoEseguibile) {
    const char* prima = std::getenv("XDG_CONFIG_HOME");
    const std::string vecchio = prima ? prima : "";
    ::setenv("XDG_CONFIG_HOME", (radice / "config").c_str(), 1);
    auto login = elementoLoginDiSistema();
    if (prima)
        ::setenv("XDG_CONFIG_HOME", vecchio.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");

    EXPECT_EQ(login->registra(), std::nullopt);
    EXPECT_EQ(login->stato(), StatoLogin::attivo);
    const auto voce = leggiVoceDesktop(leggi(file()), "");
    ASSERT_TRUE(voce);
    EXPECT_EQ(paroleExec(voce->exec).at(0), fs::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(login->annulla(), std::nullopt);
    EXPECT_FALSE(fs::exists(file()));
}

}  // namespace
}  // namespace pulsaro
