#include "platform/linux/host_linux.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/albero_finto.h"
#include "sampling/core.h"

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
    // user, system + irq + softirq + steal, idle + iowait, nice; the offline core 1 reads as zeros,
    // the short line for 3 is skipped.
    EXPECT_EQ(h.contatoriCPU(),
              (std::vector<ContatoriCore>{{10, 3 + 1 + 1 + 1, 40 + 5, 2}, {}, {1, 1, 1, 1}}));
    EXPECT_EQ(h.processoriAttivi(), 3);
    EXPECT_EQ(leggiElencoCpu("3-1,x,-4,2,7-8"), (std::vector<int>{2, 7, 8}));

    // A tree with nothing is not this machine: no counters, one CPU, not the C library's count.
    Albero vuoto;
    HostLinux niente(vuoto.radice(), false);
    EXPECT_FALSE(niente.contatoriCPU().has_value());
    EXPECT_EQ(niente.processori(), 1);
}

TEST(HostLinux, Memoria) {
    Albero a;
    HostLinux h(a.radice(), false);
    const struct {
        const char* meminfo;
        double usata;
        std::uint64_t fisica;
    } casi[] = {{"MemTotal:       16000000 kB\nMemFree:  1000 kB\nMemAvailable:   12000000 kB\n", 25,
                 16000000ull * 1024},
                {"nonsense\nMemTotal: 0 kB\n", 0, 0},
                // A total beyond what 64 bits of bytes can hold saturates.
                {"MemTotal: 20000000000000000 kB\n", 100, std::numeric_limits<std::uint64_t>::max()}};
    for (const auto& c : casi) {
        a.scrivi("proc/meminfo", c.meminfo);
        EXPECT_DOUBLE_EQ(h.memoriaUsata(), c.usata) << c.meminfo;
        EXPECT_EQ(h.memoriaFisica(), c.fisica) << c.meminfo;
    }
}

TEST(HostLinux, ClassiDeiCore) {
    Albero arm;
    arm.scrivi("sys/devices/system/cpu/present", "0-3");
    for (int i = 0; i < 4; ++i)
        arm.scrivi("sys/devices/system/cpu/cpu" + std::to_string(i) + "/cpu_capacity",
                   i < 2 ? "446\n" : "1024\n");
    HostLinux h(arm.radice(), false);
    EXPECT_EQ(leggiMacchina(h), (Macchina{{"E", "E", "P", "P"}, 2, 2, "4 core", "Funziona"}));
}
