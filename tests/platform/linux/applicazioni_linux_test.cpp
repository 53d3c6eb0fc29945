#include "platform/linux/applicazioni_linux.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "platform/albero_finto.h"
#include "platform/linux/icone_tema.h"

namespace pulsaro {
namespace {

using namespace std::string_literals;

TEST(VociDesktop, Lettura) {
    const auto v = leggiVoceDesktop(
        "# commento\n[Desktop Entry]\nType=Application\nName=Text Editor\nName[de]=Texteditor\n"
        "Name[it]=Editor di testo\nIcon = org.gnome.gedit \nExec=gedit\\s--nuova %U\nNoDisplay=true\n\n"
        "[Desktop Action new-window]\nName=New Window\nExec=gedit --new-window\n",
        "it");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->nome, "Editor di testo");
    EXPECT_EQ(v->icona, "org.gnome.gedit");
    EXPECT_EQ(v->exec, "gedit --nuova %U");  // the action group does not overwrite it
    EXPECT_TRUE(v->senzaMenu);
    for (const char* scartata :
         {"[Desktop Entry]\nName=Sito\nType=Link\nURL=x\n", "[Desktop Entry]\nExec=senza-nome\n",
          "[Altro]\nName=Fuori gruppo\n", "", "\xFF\xFE garbage = = [\n"})
        EXPECT_FALSE(leggiVoceDesktop(scartata, "it")) << scartata;
}

TEST(VociDesktop, ParoleEseguibileECartelleXdg) {
    EXPECT_EQ(paroleExec(R"("/opt/My App/app" --x "a \"b\" \\c" %u)"),
              (std::vector<std::string>{"/opt/My App/app", "--x", "a \"b\" \\c", "%u"}));

    const std::pair<const char*, const char*> casi[] = {
        {R"("/opt/My App/my app" %F)", "my app"},
        {"env GDK_BACKEND=x11 -u LANG /opt/app/bin/app --flag %f", "app"},
        {"/usr/bin/env A=1 code", "code"},
        // Launchers and interpreters name no application.
        {"sh -c \"foo; bar\"", ""},
        {"python3.11 /usr/bin/tool", ""},
        {"env A=1", ""}};
    for (const auto& [exec, eseguibile] : casi) EXPECT_EQ(eseguibileDaExec(exec), eseguibile) << exec;

    EXPECT_EQ(cartelleDatiXdg("/home/u", "/dati", "/a:relativa:/b::/a"),
              (std::vector<std::string>{"/dati", "/a", "/b"}));
    EXPECT_EQ(cartelleDatiXdg(nullptr, "relativa", ""),
              (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
}

class ApplicazioniFinte : public ::testing::Test {
protected:
    ApplicazioniFinte() {
        // Home folder first, then the system's.
        voce("casa/applications/firefox", "Name=Firefox mio\nExec=firefox %u\nIcon=/casa/ff.png");
        voce("casa/applications/nascosto", "Name=x\nExec=nascosto\nHidden=true");
        voce("sis/applications/firefox", "Name=Firefox\nExec=firefox %u\nIcon=firefox");
        voce("sis/applications/nascosto", "Name=Nascosto\nExec=nascosto");
        voce("sis/applications/gedit",
             "Name=Text Editor\nName[it]=Editor di testo\nExec=gedit %U\nIcon=org.gnome.gedit");

        processo(100, "gedit", 1, "/usr/bin/gedit", "gedit\0--x\0"s);
        processo(102, "firefox", 3, "", "");  // only the kernel's name
        processo(104, "nascosto", 5, "/usr/bin/nascosto", "");
        processo(108, "kworker/0:1", 9, "", "");
    }

    void voce(const std::string& percorso, const std::string& chiavi) {
        a.scrivi(percorso + ".desktop", "[Desktop Entry]\n" + chiavi + "\n");
    }
    void processo(int pid, const std::string& comm, unsigned long long avvio, const std::string& exe,
                  const std::string& cmdline) {
        const std::string base = "proc/" + std::to_string(pid);
        a.scrivi(base + "/stat", prova::statFinto(pid, comm, 5, 5, avvio, 10));
        a.scrivi(base + "/cmdline", cmdline);
        if (!exe.empty()) a.collega(base + "/exe", exe);
    }

    ApplicazioniDesktop app() {
        return ApplicazioniDesktop(a.radice(), {a.radice() + "/casa", a.radice() + "/sis"});
    }

    prova::AlberoFinto a;
};

TEST_F(ApplicazioniFinte, NomeEIconaDallaVoce) {
    auto app = this->app();
    EXPECT_EQ(app.applicazione(102).value_or(Applicazione{}).icona, "/casa/ff.png");
    const std::pair<int, const char*> nomi[] = {{100, "Editor di testo"},
                                                {102, "Firefox mio"},  // the home folder's entry wins
                                                {104, ""},             // hidden in the home folder
                                                {108, ""},             // kernel thread
                                                {-1, ""}};
    for (const auto& [pid, nome] : nomi)
        EXPECT_EQ(app.applicazione(pid).value_or(Applicazione{}).nome, nome) << pid;
}

TEST_F(ApplicazioniFinte, IdRiusatoNonDaNomiVecchi) {
    auto app = this->app();
    ASSERT_EQ(app.applicazione(100)->nome, "Editor di testo");

    // The id now belongs to a process started later.
    a.collega("proc/100/exe", "/usr/lib/firefox/firefox");
    a.scrivi("proc/100/stat", prova::statFinto(100, "firefox", 5, 5, 600, 10));
    EXPECT_EQ(app.applicazione(100)->nome, "Firefox mio");
}

// Icon= names anyone may write: a theme name is looked up by the theme rules, and only a regular
// file of bounded size is read; a FIFO, a device or a way out of the themes gives no icon at once.
TEST_F(ApplicazioniFinte, IconeSoloDaFileRegolariPiccoli) {
    const std::string r = a.radice();
    a.scrivi("icone/mio/index.theme",
             "[Icon Theme]\nInherits=altro\nDirectories=16x16/apps,128x128/apps\n[16x16/apps]\nSize=16\n"
             "[128x128/apps]\nSize=128\n");
    a.scrivi("icone/altro/index.theme",
             "[Icon Theme]\nDirectories=../../fuori,48x48/apps\n[48x48/apps]\nSize=48\n");
    a.scrivi("icone/hicolor/index.theme",
             "[Icon Theme]\nDirectories=scalable/apps\n[scalable/apps]\nSize=48\nType=Scalable\n");
    a.scrivi("icone/mio/16x16/apps/piccola.png", "16");
    a.scrivi("icone/mio/128x128/apps/piccola.png", "128");
    a.scrivi("fuori/ereditata.png", "fuori");
    a.scrivi("icone/altro/48x48/apps/ereditata.png", "48");
    a.scrivi("icone/hicolor/scalable/apps/disegno.svg", "svg");
    a.scrivi("sciolte/sciolta.xpm", "xpm");
    a.scrivi("enorme.png", std::string(limiteIcona + 1, 'x'));
    ASSERT_EQ(::mkfifo((r + "/icone/hicolor/scalable/apps/tubo.svg").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((r + "/tubo").c_str(), 0600), 0);
    a.collega("zero", "/dev/zero");
    const DoveIcone dove{{"mio"}, {r + "/icone"}, {r + "/sciolte"}, {"png", "svg", "xpm"}};

    const std::pair<std::string, std::string> casi[] = {{"piccola", "128"},  // drawn smaller, not blown up
                                                        {"ereditata", "48"},
                                                        {"disegno", "svg"},
                                                        {"sciolta", "xpm"},
                                                        {"tubo", ""},
                                                        {r + "/tubo", ""},
                                                        {"../../../../../../../../" + r + "/tubo", ""},
                                                        {"icone/mio/16x16/apps/piccola.png", ""},
                                                        {r + "/zero", ""},
                                                        {r + "/enorme.png", ""},
                                                        {r + "/icone", ""}};
    for (const auto& [icona, atteso] : casi) {
        const auto file = fileIcona(icona, dove);
        EXPECT_EQ(file ? leggiIcona(*file).value_or("") : "", atteso) << icona;
    }

    // The same through a running application's entry.
    a.scrivi("icone/hicolor/scalable/apps/org.gnome.gedit.svg", "gedit");
    auto app = this->app();
    const auto dati = app.datiIcona(100, dove);
    EXPECT_EQ(std::string(dati.begin(), dati.end()), "gedit");
    EXPECT_TRUE(app.datiIcona(108, dove).empty());
}

}  // namespace
}  // namespace pulsaro
