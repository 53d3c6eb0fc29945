#include "platform/esegui.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "albero_finto.h"

namespace pulsaro {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

// Scripts standing in for the listing tool. Whatever happens, no child is left behind, running or
// as a zombie, and no descriptor stays open.
class Esegui : public ::testing::Test {
protected:
    void SetUp() override { descrittori = prova::descrittoriAperti(); }
    void TearDown() override {
        EXPECT_TRUE(::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);
        EXPECT_EQ(prova::descrittoriAperti(), descrittori);
    }

    std::string script(const std::string& nome, const std::string& corpo) {
        albero.scrivi(nome, "#!/bin/sh\n" + corpo);
        const std::string p = albero.radice() + "/" + nome;
        ::chmod(p.c_str(), 0755);
        return p;
    }

    prova::AlberoFinto albero;
    std::size_t descrittori = 0;
};

TEST_F(Esegui, LeggeLUscitaStandardEIgnoraGliErrori) {
    // Arguments reach the program as they are: no shell reads them. Standard error is left out.
    const auto eco = script("eco", "printf '%s|' \"$@\"\necho rumore >&2\n");
    EXPECT_EQ(eseguiProgramma(eco, {"-A", "a b", "$HOME", "*", ""}, 5s), "-A|a b|$HOME|*||");
    // Its standard input is empty, not ours; the exit status is not looked at.
    EXPECT_EQ(eseguiProgramma(script("cat", "cat\necho fine\nexit 3\n"), {}, 5s), "fine\n");
    // Far more than a pipe holds, so the child blocks unless it is read while it runs.
    const auto grande = eseguiProgramma(
        script(
            "grande",
            "i=0\nwhile [ $i -lt 4000 ]; do echo \"$i /percorso/lungo/del/programma\"; i=$((i+1)); done\n"),
        {}, 20s);
    EXPECT_TRUE(grande && grande->ends_with("3999 /percorso/lungo/del/programma\n"));

    // Missing, a bare name (no search path), not executable, a folder.
    albero.scrivi("non-eseguibile", "#!/bin/sh\necho no\n");
    for (const std::string& p : {albero.radice() + "/manca", std::string("sh"),
                                 albero.radice() + "/non-eseguibile", albero.radice()})
        EXPECT_FALSE(eseguiProgramma(p, {"-c", "echo no"}, 5s)) << p;
}

// Hung with its output open, with the output complete and the child lingering, or with a grandchild
// holding the pipe (only killing the group ends that read): each gets only its time.
TEST_F(Esegui, BloccatoVieneUccisoConIlSuoGruppoERaccolto) {
    const std::string filePid = albero.radice() + "/nipote";
    for (const std::string& corpo :
         {"echo inizio\nexec sleep 30\n"s, "echo fatto\nexec 1>&-\nexec sleep 30\n"s,
          "sleep 30 &\necho $! > '" + filePid + "'\nwait\n"}) {
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_FALSE(eseguiProgramma(script("appeso", corpo), {}, 300ms)) << corpo;
        EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s) << corpo;
    }
    int nipote = 0;
    ASSERT_TRUE(std::ifstream(filePid) >> nipote);
    // Killed: gone, or a zombie waiting for init to reap it.
    const auto finito = [&] {
        if (::kill(nipote, 0) != 0 && errno == ESRCH) return true;
        std::ifstream stat("/proc/" + std::to_string(nipote) + "/stat");
        std::string riga;
        return std::getline(stat, riga) && riga.find(") Z ") != std::string::npos;
    };
    bool morto = false;
    for (int i = 0; i < 200 && !(morto = finito()); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(morto);
}

}  // namespace
}  // namespace pulsaro
