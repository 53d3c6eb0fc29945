// The real readers of a Mac, read once on the machine the tests run on: a first run on a Mac
// reports its figures instead of passing on fakes alone. Elsewhere these tests are skipped.
#include <gtest/gtest.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <sys/sysctl.h>
#endif

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/host.h"
#include "sistema/sistema.h"

namespace pulsaro {
namespace {

#if defined(__APPLE__)
constexpr bool sulMac = true;
#else
constexpr bool sulMac = false;
#endif
#if defined(__aarch64__) || defined(__arm64__)
constexpr bool chipApple = sulMac;
#else
constexpr bool chipApple = false;
#endif

// A virtual Mac, as a hosted CI runner is: cores, memory and processes, but a paravirtual GPU and
// no Neural Engine or energy channels.
bool macchinaVirtuale() {
#if defined(__APPLE__)
    int presente = 0;
    std::size_t lunghezza = sizeof presente;
    return sysctlbyname("kern.hv_vmm_present", &presente, &lunghezza, nullptr, 0) == 0 && presente == 1;
#else
    return false;
#endif
}

TEST(MacchinaMac, HostRegistroEIOReportDannoValoriPlausibili) {
    if (!sulMac) GTEST_SKIP() << "solo su un Mac";
    Host& host = hostDiSistema();
    const int processori = host.processori();
    EXPECT_GT(processori, 0);
    EXPECT_GT(host.processoriAttivi(), 0);
    EXPECT_LE(host.processoriAttivi(), processori);
    EXPECT_GT(host.memoriaFisica(), std::uint64_t{1} << 30);
    const double usata = host.memoriaUsata();
    EXPECT_TRUE(usata > 0 && usata <= 100) << usata;
    ASSERT_TRUE(host.contatoriCPU());
    EXPECT_EQ(static_cast<int>(host.contatoriCPU()->size()), processori);

    auto sonde = sondeDiSistema();
    const Macchina m = sonde->macchina();
    EXPECT_GT(m.numeroP + m.numeroE, 0) << m.testoCPU;
    const auto tick = sonde->tickCPU();
    EXPECT_GT(tick.totali, 0u);
    EXPECT_EQ(static_cast<int>(tick.perCore.size()), processori);
    // The listing tool sees this very process.
    EXPECT_TRUE(sonde->tempiProcessi().count(static_cast<std::int32_t>(getpid())));
    std::printf("Mac: %s, GPU %s, %d processori, memoria usata %.0f%%\n", m.testoCPU.c_str(),
                m.testoGPU.c_str(), processori, usata);

    if (!chipApple) return;
    EXPECT_GT(m.numeroP, 0);
    if (macchinaVirtuale()) {
        std::printf(
            "Mac virtuale (kern.hv_vmm_present = 1): GPU, Neural Engine ed energia non controllati\n");
        return;
    }
    // Apple silicon: the core classes, the GPU in the registry, the energy library.
    EXPECT_FALSE(m.tipi.empty());
    EXPECT_TRUE(host.coreGPU().value_or(0) > 0);
    const auto gpu = sonde->letturaGPU(true);
    EXPECT_TRUE(gpu.trovata);
    EXPECT_TRUE(gpu.totale >= 0 && gpu.totale <= 100) << gpu.totale;
    EXPECT_TRUE(sonde->creaEnergia()->pronta());
}

}  // namespace
}  // namespace pulsaro
