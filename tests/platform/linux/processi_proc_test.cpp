#include "platform/linux/processi_proc.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>
#include <tuple>

#include "platform/albero_finto.h"
#include "platform/esegui.h"
#include "sampling/lista_ps.h"

namespace pulsaro {
namespace {

using namespace std::chrono_literals;

// A /proc/<pid>/stat line with the fields the reader uses; the others are plausible fillers.
std::string statFinto(int pid, const std::string& comm, unsigned long utime, unsigned long stime,
                      unsigned long long avvio, long rss) {
    return std::to_string(pid) + " (" + comm + ") S 1 " + std::to_string(pid) + " " + std::to_string(pid) +
           " 0 -1 4194560 120 0 3 0 " + std::to_string(utime) + " " + std::to_string(stime) +
           " 0 0 20 0 1 0 " + std::to_string(avvio) + " 12345678 " + std::to_string(rss) +
           " 18446744073709551615 1 1 0 0 0 0 0 0 0 0 0 0 17 1 0 0 0 0 0\n";
}

TEST(ProcessiProc, LeggiStat) {
    const auto s = leggiStat(statFinto(42, "Web Content", 250, 150, 9876, 10));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->nome, "Web Content");
    EXPECT_EQ(std::tuple(s->utime, s->stime, s->avvio, s->rss),
              std::tuple(std::uint64_t{250}, std::uint64_t{150}, std::uint64_t{9876}, std::int64_t{10}));
    // A name may hold blanks and parentheses: it ends at the last ')'.
    const auto strano = leggiStat(statFinto(43, "a) S 1 2 (b", 7, 8, 1, 2));
    ASSERT_TRUE(strano);
    EXPECT_EQ(strano->nome, "a) S 1 2 (b");
    EXPECT_EQ(strano->utime, 7u);
    EXPECT_EQ(strano->stime, 8u);
    EXPECT_EQ(leggiStat(statFinto(44, "", 1, 1, 1, 1))->nome, "");
    for (const char* rotto : {"", "12 senza parentesi S 1 2 3", "12 (troncato) S 1 2 3 4 5 6 7 8 9 10 11",
                              "12 )rovescio( S", "12 (x) S 1 1 1 0 -1 0 0 0 0 0 dieci 5 0 0 20 0 1 0 1 1 1"})
        EXPECT_FALSE(leggiStat(rotto)) << rotto;
}

TEST(ProcessiProc, AlberoFinto) {
    prova::AlberoFinto a;
    const long tick = ::sysconf(_SC_CLK_TCK);
    const long pagina = ::sysconf(_SC_PAGESIZE);
    a.scrivi("proc/1/stat", statFinto(1, "init", static_cast<unsigned long>(3 * tick),
                                      static_cast<unsigned long>(tick), 1, 10));
    a.scrivi("proc/42/stat", statFinto(42, "Web Content", 0, static_cast<unsigned long>(tick / 2), 5, 3));
    a.scrivi("proc/77/stat", statFinto(77, "kworker/0:1-ev", 0, 0, 2, 0));
    a.scrivi("proc/80/stat", statFinto(80, "zombie", 1, 1, 3, -1));  // no memory left
    a.scrivi("proc/91/stat", "91 (troncato) S 1");                   // read half-way through an exit
    a.cartella("proc/92");                                           // gone between listing and reading
    a.scrivi("proc/stat", "cpu 1 2 3 4\n");
    a.scrivi("proc/meminfo", "MemTotal: 1 kB\n");
    a.scrivi("proc/0x10/stat", statFinto(16, "esadecimale", 1, 1, 1, 1));
    a.scrivi("proc/007/stat", statFinto(7, "zeri", 1, 1, 1, 1));
    a.collega("proc/self", "42");

    auto voci = LettoreProcessi(a.radice()).leggi();
    std::sort(voci.begin(), voci.end(), [](const VoceProc& x, const VoceProc& y) { return x.pid < y.pid; });
    ASSERT_EQ(voci.size(), 4u);
    EXPECT_EQ(voci[0].pid, 1);
    EXPECT_EQ(voci[0].nome, "init");
    EXPECT_DOUBLE_EQ(voci[0].cpu, 4.0);
    EXPECT_EQ(voci[0].memoria, static_cast<std::uint64_t>(10 * pagina));
    EXPECT_EQ(voci[1].pid, 42);
    EXPECT_EQ(voci[1].nome, "Web Content");
    EXPECT_NEAR(voci[1].cpu, static_cast<double>(tick / 2) / static_cast<double>(tick), 1e-12);
    EXPECT_EQ(voci[1].memoria, static_cast<std::uint64_t>(3 * pagina));
    EXPECT_EQ(voci[2].nome, "kworker/0:1-ev");  // the kernel's name whole, slashes included
    EXPECT_EQ(voci[3].pid, 80);
    EXPECT_EQ(voci[3].memoria, 0u);
    EXPECT_FALSE(voci[0].eta);  // no /proc/uptime: the age is unknown

    // The root may end with a slash or not.
    EXPECT_EQ(LettoreProcessi(a.radice() + "/").leggi().size(), 4u);
    EXPECT_TRUE(LettoreProcessi(a.radice() + "/manca").leggi().empty());
}

// The age is the time since boot less the start time, both on the boot clock.
TEST(ProcessiProc, EtaDaAvvioEUptime) {
    prova::AlberoFinto a;
    const long tick = ::sysconf(_SC_CLK_TCK);
    a.scrivi("proc/uptime", "100.25 180.00\n");
    a.scrivi("proc/5/stat", statFinto(5, "vecchio", 1, 1, static_cast<unsigned long long>(10 * tick), 1));
    a.scrivi("proc/6/stat", statFinto(6, "nuovo", 1, 1, static_cast<unsigned long long>(99 * tick), 1));
    a.scrivi("proc/7/stat", statFinto(7, "dopo", 1, 1, static_cast<unsigned long long>(101 * tick), 1));
    auto voci = LettoreProcessi(a.radice()).leggi();
    std::sort(voci.begin(), voci.end(), [](const VoceProc& x, const VoceProc& y) { return x.pid < y.pid; });
    ASSERT_EQ(voci.size(), 3u);
    ASSERT_TRUE(voci[0].eta && voci[1].eta && voci[2].eta);
    EXPECT_NEAR(*voci[0].eta, 90.25, 1e-9);
    EXPECT_NEAR(*voci[1].eta, 1.25, 1e-9);
    EXPECT_EQ(*voci[2].eta, 0);  // born after uptime was read
    EXPECT_EQ(voci[1].avvio, static_cast<std::uint64_t>(99 * tick));

    for (const char* rotto : {"", "abc 1.00\n", "100 5.00\n", "100.2x 5\n"}) {
        a.scrivi("proc/uptime", rotto);
        EXPECT_FALSE(LettoreProcessi(a.radice()).leggi().front().eta) << rotto;
    }
}

std::size_t descrittoriAperti() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

// Whether this process has a descriptor open on `percorso`.
bool apertoSu(const std::string& percorso) {
    for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code errore;
        if (std::filesystem::read_symlink(e.path(), errore) == percorso) return true;
    }
    return false;
}

const VoceProc* trova(const std::vector<VoceProc>& voci, std::int32_t pid) {
    const auto it = std::find_if(voci.begin(), voci.end(), [&](const VoceProc& v) { return v.pid == pid; });
    return it == voci.end() ? nullptr : &*it;
}

// Files kept open between listings still give each listing's figures, only up to the bound, and
// are let go with their processes and when the reader rests.
TEST(ProcessiProc, LettoreTieneIFileAperti) {
    prova::AlberoFinto a;
    for (int pid : {1, 2, 3})
        a.scrivi("proc/" + std::to_string(pid) + "/stat", statFinto(pid, "p", 1, 0, 1, 1));
    const std::size_t prima = descrittoriAperti();
    {
        LettoreProcessi l(a.radice(), 2);
        EXPECT_EQ(l.leggi().size(), 3u);  // the one over the bound is read all the same
        EXPECT_EQ(l.aperti(), 2u);
        EXPECT_EQ(descrittoriAperti(), prima + 2);
        for (int pid : {1, 2, 3})
            a.scrivi("proc/" + std::to_string(pid) + "/stat", statFinto(pid, "p", 100 * pid, 0, 1, 1));
        auto voci = l.leggi();
        const double tick = static_cast<double>(::sysconf(_SC_CLK_TCK));
        for (int pid : {1, 2, 3}) {
            ASSERT_TRUE(trova(voci, pid)) << pid;
            EXPECT_DOUBLE_EQ(trova(voci, pid)->cpu, 100 * pid / tick) << pid;
        }
        std::filesystem::remove_all(a.radice() + "/proc/1");
        std::filesystem::remove_all(a.radice() + "/proc/2");
        voci = l.leggi();
        ASSERT_EQ(voci.size(), 1u);
        EXPECT_EQ(voci[0].pid, 3);
        EXPECT_EQ(l.aperti(), 1u);  // the gone ones' files closed, the third kept now there is room
        // At rest nothing is kept; the next listing opens them again.
        l.chiudi();
        EXPECT_EQ(descrittoriAperti(), prima);
        EXPECT_EQ(l.leggi().size(), 1u);
        EXPECT_EQ(l.aperti(), 1u);
    }
    EXPECT_EQ(descrittoriAperti(), prima);
    EXPECT_EQ(LettoreProcessi(a.radice(), 0).leggi().size(), 1u);
    EXPECT_EQ(descrittoriAperti(), prima);
}

// On the real /proc a kept file follows its process: its time grows, and when it has exited
// the pid is gone from the listing and its file closed.
TEST(ProcessiProc, LettoreSegueIlProcessoVero) {
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        volatile unsigned long giri = 0;
        for (;;) giri = giri + 1;
    }
    LettoreProcessi l;
    const auto primo = l.leggi();
    ASSERT_TRUE(trova(primo, figlio));
    const double t0 = trova(primo, figlio)->cpu;
    std::this_thread::sleep_for(300ms);
    const auto secondo = l.leggi();
    ASSERT_TRUE(trova(secondo, figlio));
    EXPECT_GT(trova(secondo, figlio)->cpu, t0 + 0.05);
    const std::string suo = "/proc/" + std::to_string(figlio) + "/stat";
    EXPECT_TRUE(apertoSu(suo));
    ::kill(figlio, SIGKILL);
    ::waitpid(figlio, nullptr, 0);
    EXPECT_FALSE(trova(l.leggi(), figlio));
    EXPECT_FALSE(apertoSu(suo));
}

// Both ways of listing this machine agree on the processes that live through both readings.
TEST(ProcessiProc, ConcordaConPsVero) {
    if (::access("/bin/ps", X_OK) != 0) GTEST_SKIP() << "no /bin/ps";
    const auto uscita =
        eseguiProgramma(std::string(percorsoPs), {argomentiPs.begin(), argomentiPs.end()}, 10s);
    ASSERT_TRUE(uscita);
    const TempiProcessi ps = leggiListaPs(*uscita);
    std::map<std::int32_t, VoceProc> proc;
    for (const auto& v : LettoreProcessi("/").leggi()) proc[v.pid] = v;

    // ps prints the last path component of the command; user processes' names stop at 15 bytes.
    const auto stessoNome = [](const std::string& daPs, const std::string& daProc) {
        const std::string atteso(ultimoComponente(daProc));
        const auto corto = std::min(daPs.size(), atteso.size());
        return daPs == atteso || (corto >= 15 && daPs.compare(0, corto, atteso, 0, corto) == 0);
    };
    for (std::int32_t pid : {1, static_cast<std::int32_t>(::getpid())}) {
        ASSERT_TRUE(ps.count(pid) && proc.count(pid)) << pid;
        const auto& a = ps.at(pid);
        const auto& b = proc.at(pid);
        EXPECT_TRUE(stessoNome(a.nome, b.nome)) << a.nome << " / " << b.nome;
        // ps prints whole seconds, and /proc was read later.
        EXPECT_LE(a.cpu, b.cpu + 1.0) << pid;
        EXPECT_GE(a.cpu + 1.0, b.cpu - 5.0) << pid;
        ASSERT_TRUE(a.eta && b.eta) << pid;
        EXPECT_NEAR(*a.eta, *b.eta, 2.5) << pid;
    }
    EXPECT_GT(ps.at(::getpid()).memoria, 0u);
    EXPECT_GT(proc.at(::getpid()).memoria, 0u);

    // Apart from processes that came or went in between, the same ids and names.
    std::size_t comuni = 0, nomiUguali = 0;
    for (const auto& [pid, t] : ps)
        if (auto it = proc.find(pid); it != proc.end()) {
            ++comuni;
            nomiUguali += stessoNome(t.nome, it->second.nome);
        }
    EXPECT_GE(comuni * 10, std::min(ps.size(), proc.size()) * 9);
    EXPECT_GE(nomiUguali * 10, comuni * 9);  // kernel workers rename themselves now and then
}

}  // namespace
}  // namespace pulsaro
