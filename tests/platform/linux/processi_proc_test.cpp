#include "platform/linux/processi_proc.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "platform/albero_finto.h"

namespace pulsaro {
namespace {

using prova::descrittoriAperti;
using prova::statFinto;

std::vector<VoceProc> perPid(LettoreProcessi& l) {
    auto voci = l.leggi();
    std::sort(voci.begin(), voci.end(), [](const VoceProc& x, const VoceProc& y) { return x.pid < y.pid; });
    return voci;
}

TEST(ProcessiProc, LeggiStat) {
    // A name may hold blanks and parentheses: it ends at the last ')'.
    const auto s = leggiStat(statFinto(43, "a) S 1 2 (b", 250, 150, 9876, 10));
    ASSERT_TRUE(s);
    EXPECT_EQ(std::tuple(s->nome, s->utime, s->stime, s->avvio, s->rss),
              std::tuple(std::string("a) S 1 2 (b"), std::uint64_t{250}, std::uint64_t{150},
                         std::uint64_t{9876}, std::int64_t{10}));
    for (const char* rotto : {"", "12 senza parentesi S 1 2 3", "12 (troncato) S 1 2 3 4 5 6 7 8 9 10 11",
                              "12 )rovescio( S", "12 (x) S 1 1 1 0 -1 0 0 0 0 0 dieci 5 0 0 20 0 1 0 1 1 1"})
        EXPECT_FALSE(leggiStat(rotto)) << rotto;
}

// Time, memory and age of each process; what is not a process, or is half gone, is left out.
TEST(ProcessiProc, AlberoFinto) {
    prova::AlberoFinto a;
    const long tick = ::sysconf(_SC_CLK_TCK);
    const auto t = [&](double secondi) {
        return static_cast<unsigned long>(secondi * static_cast<double>(tick));
    };
    a.scrivi("proc/1/stat", statFinto(1, "init", t(3), t(1), t(10), 10));
    a.scrivi("proc/77/stat", statFinto(77, "kworker/0:1-ev", 0, 0, t(101), -1));
    a.scrivi("proc/91/stat", "91 (troncato) S 1");  // read half-way through an exit
    a.cartella("proc/92");                          // gone between listing and reading
    a.scrivi("proc/0x10/stat", statFinto(16, "esadecimale", 1, 1, 1, 1));
    a.collega("proc/self", "1");
    a.scrivi("proc/uptime", "100.25 180.00\n");

    LettoreProcessi l(a.radice() + "/");  // the root may end with a slash
    auto voci = perPid(l);
    ASSERT_EQ(voci.size(), 2u);
    EXPECT_EQ(std::tuple(voci[0].nome, voci[0].cpu, voci[0].memoria),
              std::tuple(std::string("init"), 4.0, static_cast<std::uint64_t>(10 * ::sysconf(_SC_PAGESIZE))));
    // The age is the time since boot less the start time; born after uptime was read: zero.
    EXPECT_NEAR(voci[0].eta.value_or(-1), 90.25, 1e-9);
    EXPECT_EQ(std::tuple(voci[1].eta.value_or(-1), voci[1].memoria), std::tuple(0.0, std::uint64_t{0}));

    for (const char* rotto : {"", "abc 1.00\n", "100.2x 5\n"}) {
        a.scrivi("proc/uptime", rotto);
        EXPECT_FALSE(perPid(l).front().eta) << rotto;
    }
}

// Files kept open between listings still give each listing's figures, only up to the bound, and
// are let go with their processes and when the reader rests.
TEST(ProcessiProc, LettoreTieneIFileAperti) {
    prova::AlberoFinto a;
    const auto scrivi = [&](int pid, unsigned long utime) {
        a.scrivi("proc/" + std::to_string(pid) + "/stat", statFinto(pid, "p", utime, 0, 1, 1));
    };
    for (int pid : {1, 2, 3}) scrivi(pid, 1);
    const std::size_t prima = descrittoriAperti();
    LettoreProcessi l(a.radice(), 2);
    EXPECT_EQ(l.leggi().size(), 3u);  // the one over the bound is read all the same
    EXPECT_EQ(l.aperti(), 2u);
    for (int pid : {1, 2, 3}) scrivi(pid, 100 * pid);
    const auto voci = perPid(l);
    const double tick = static_cast<double>(::sysconf(_SC_CLK_TCK));
    ASSERT_EQ(voci.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(voci[i].cpu, 100 * (i + 1) / tick) << i;
    std::filesystem::remove_all(a.radice() + "/proc/1");
    std::filesystem::remove_all(a.radice() + "/proc/2");
    ASSERT_EQ(l.leggi().size(), 1u);
    EXPECT_EQ(l.aperti(), 1u);  // the gone ones' files closed, the third kept now there is room
    l.chiudi();
    EXPECT_EQ(descrittoriAperti(), prima);
}

}  // namespace
}  // namespace pulsaro
