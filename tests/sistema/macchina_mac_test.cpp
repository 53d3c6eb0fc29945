// The real readers of a Mac, read once on the machine the tests run on. Elsewhere skipped.
#include <gtest/gtest.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <sys/sysctl.h>
#endif

#include <cstdint>
#include <cstdio>

#include "platform/host.h"
#include "sistema/sistema.h"

namespace pulsaro {

TEST(MacchinaMac, HostRegistroEIOReportDannoValoriPlausibili) {
#if !defined(__APPLE__)
    GTEST_SKIP() << "solo su un Mac";
#else
    Host& host = hostDiSistema();
    const int processori = host.processori();
    EXPECT_TRUE(host.processoriAttivi() > 0 && host.processoriAttivi() <= processori);
    EXPECT_GT(host.memoriaFisica(), std::uint64_t{1} << 30);
    const double usata = host.memoriaUsata();
    EXPECT_TRUE(usata > 0 && usata <= 100) << usata;
    auto sonde = sondeDiSistema();
    const Macchina m = sonde->macchina();
    EXPECT_GT(m.numeroP + m.numeroE, 0) << m.testoCPU;
    EXPECT_EQ(static_cast<int>(sonde->tickCPU().perCore.size()), processori);
    EXPECT_TRUE(sonde->tempiProcessi().count(static_cast<std::int32_t>(getpid())));
    std::printf("Mac: %s, GPU %s, %d processori, memoria usata %.0f%%\n", m.testoCPU.c_str(),
                m.testoGPU.c_str(), processori, usata);
#if !defined(__aarch64__) && !defined(__arm64__)
    return;  // an Intel Mac has no core classes nor Neural Engine
#endif
    // A virtual Mac, as a hosted CI runner is, has a paravirtual GPU and no Neural Engine.
    int virtuale = 0;
    std::size_t lunghezza = sizeof virtuale;
    if (sysctlbyname("kern.hv_vmm_present", &virtuale, &lunghezza, nullptr, 0) == 0 && virtuale == 1) {
        std::printf(
            "Mac virtuale (kern.hv_vmm_present = 1): GPU, Neural Engine ed energia non controllati\n");
        return;
    }
    EXPECT_FALSE(m.tipi.empty());
    EXPECT_TRUE(host.coreGPU().value_or(0) > 0);
    const auto gpu = sonde->letturaGPU(true);
    EXPECT_TRUE(gpu.trovata && gpu.totale >= 0 && gpu.totale <= 100) << gpu.totale;
    EXPECT_TRUE(sonde->creaEnergia()->pronta());
#endif
}

}  // namespace pulsaro
