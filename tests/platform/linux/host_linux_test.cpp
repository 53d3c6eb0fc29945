#include "platform/linux/host_linux.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/albero_finto.h"
#include "sampling/core.h"
#include "sampling/tick.h"

using namespace pulsaro;
using Albero = prova::AlberoFinto;

// Counters indexed by core number; the highest CPU offline, the listing follows the online ones.
TEST(HostLinux, ContatoriDaProcStatECpuAccese) {
    Albero a;
    a.scrivi("proc/stat",
             "cpu  100 20 30 400 50 6 7 8 0 0\ncpu0 10 2 3 40 5 1 1 1 0 0\ncpu2 1 1 1 1\n"
             "cpux garbage\ncpu3 5\nintr 12345\n");
    a.scrivi("sys/devices/system/cpu/present", "0-3\n");
    a.scrivi("sys/devices/system/cpu/online", "0-2\n");
    HostLinux h(a.radice(), false);
    auto c = h.contatoriCPU();
    ASSERT_TRUE(c.has_value());
    // The offline core 1 reads as zeros, the short line for 3 is skipped.
    ASSERT_EQ(c->size(), 3u);
    // user, system + irq + softirq + steal, idle + iowait, nice
    EXPECT_EQ((*c)[0], (ContatoriCore{10, 3 + 1 + 1 + 1, 40 + 5, 2}));
    EXPECT_EQ((*c)[1], (ContatoriCore{0, 0, 0, 0}));
    EXPECT_EQ((*c)[2], (ContatoriCore{1, 1, 1, 1}));
    EXPECT_EQ(tickCPU(h).perCore.size(), 3u);
    EXPECT_EQ(h.processori(), 4);
    EXPECT_EQ(h.processoriAttivi(), 3);
    EXPECT_EQ(leggiElencoCpu("0-2,5,7-8\n"), (std::vector<int>{0, 1, 2, 5, 7, 8}));
    EXPECT_EQ(leggiElencoCpu("3-1,x,-4,2"), (std::vector<int>{2}));

    // A tree with nothing is not this machine: no counters, one CPU, not the C library's count.
    Albero vuoto;
    HostLinux niente(vuoto.radice(), false);
    EXPECT_FALSE(niente.contatoriCPU().has_value());
    EXPECT_EQ(tickCPU(niente).totali, 0u);
    EXPECT_EQ(niente.processori(), 1);
}

TEST(HostLinux, Memoria) {
    Albero a;
    HostLinux h(a.radice(), false);
    EXPECT_DOUBLE_EQ(h.memoriaUsata(), 0.0);  // no file
    const struct {
        const char* meminfo;
        double usata;
        std::uint64_t fisica;
    } casi[] = {{"MemTotal:       16000000 kB\nMemFree:  1000 kB\nMemAvailable:   12000000 kB\n", 25,
                 16000000ull * 1024},
                // Without MemAvailable: free + buffers + cache.
                {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 100 kB\nCached: 300 kB\n", 50, 1000 * 1024},
                {"nonsense\nMemTotal: 0 kB\n", 0, 0},
                // A total beyond what 64 bits of bytes can hold saturates.
                {"MemTotal: 20000000000000000 kB\n", 100, std::numeric_limits<std::uint64_t>::max()},
                {"MemTotal: 9007199254740991 kB\n", 100, 9007199254740991ull * 1024}};
    for (const auto& c : casi) {
        a.scrivi("proc/meminfo", c.meminfo);
        EXPECT_DOUBLE_EQ(h.memoriaUsata(), c.usata) << c.meminfo;
        EXPECT_EQ(h.memoriaFisica(), c.fisica) << c.meminfo;
    }
}

TEST(HostLinux, ClassiDeiCore) {
    Albero ibrido;
    ibrido.scrivi("sys/devices/cpu_core/cpus", "0-3,6\n");
    ibrido.scrivi("sys/devices/cpu_atom/cpus", "4-5\n");
    ibrido.scrivi("sys/devices/system/cpu/present", "0-6\n");
    HostLinux h(ibrido.radice(), false);
    EXPECT_EQ(leggiMacchina(h),
              (Macchina{{"P", "P", "P", "P", "E", "E", "P"}, 5, 2, "7 core (5 + 2)", "Funziona"}));

    Albero arm;
    arm.scrivi("sys/devices/system/cpu/present", "0-3");
    for (int i = 0; i < 4; ++i)
        arm.scrivi("sys/devices/system/cpu/cpu" + std::to_string(i) + "/cpu_capacity",
                   i < 2 ? "446\n" : "1024\n");
    HostLinux bigLittle(arm.radice(), false);
    EXPECT_EQ(leggiMacchina(bigLittle), (Macchina{{"E", "E", "P", "P"}, 2, 2, "4 core", "Funziona"}));

    // Equal capacities, or no topology at all: no classes, every core a performance core.
    Albero uguale;
    uguale.scrivi("sys/devices/system/cpu/present", "0-1");
    for (const char* cpu : {"cpu0", "cpu1"})
        uguale.scrivi("sys/devices/system/cpu/" + std::string(cpu) + "/cpu_capacity", "1024");
    HostLinux senzaClassi(uguale.radice(), false);
    EXPECT_EQ(leggiMacchina(senzaClassi), (Macchina{{}, 2, 0, "2 core", "Funziona"}));
}
