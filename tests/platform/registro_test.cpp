#include "platform/registro.h"

#include <gtest/gtest.h>

#include "support/registro_memoria.h"

namespace pulsaro {
namespace {

using B = ValoreRegistro::Byte;

TEST(Registro, NumeriDelValore) {
    EXPECT_EQ(ValoreRegistro(5.0).intero(), 5);
    EXPECT_FALSE(ValoreRegistro(5.5).intero());
    EXPECT_FALSE(ValoreRegistro(9223372036854775808.0).intero());  // 2^63: just out of range
    EXPECT_EQ(ValoreRegistro(-9223372036854775808.0).intero(), INT64_MIN);
    EXPECT_FALSE(ValoreRegistro("5").intero());
}

// Entries of the wrong shape are skipped; a failing registry gives nothing, and every handle is let go.
TEST(Registro, ClassiDeiCoreECoreDellaGPU) {
    RegistroMemoria r;
    auto cpus = r.aggiungi(RegistroMemoria::radice, {"IOPlatformDevice"}, {}, "IODeviceTree");
    r.percorso("IODeviceTree:/cpus", cpus);
    auto cpu = [&](std::optional<ValoreRegistro> tipo, std::optional<ValoreRegistro> id) {
        ValoreRegistro::Dizionario p;
        if (tipo) p["cluster-type"] = *tipo;
        if (id) p["logical-cpu-id"] = *id;
        r.aggiungi(cpus, {"AppleARMCPU"}, p, "IODeviceTree");
    };
    cpu(B{'P', 0}, B{5, 0, 0, 0});  // raw little-endian data
    cpu(B{'E'}, 0);
    cpu(B{}, 2);                  // no class letter
    cpu(ValoreRegistro("E"), 3);  // not a byte string
    cpu(B{'E'}, std::nullopt);
    cpu(B{'E'}, "4");
    r.aggiungi(cpus, {"AppleARMCPU"}, {{"cluster-type", B{'P'}}, {"logical-cpu-id", 7}}, "IOService");
    std::vector<std::pair<std::string, long long>> letti;
    for (const auto& k : classiCoreDalRegistro(r)) letti.emplace_back(k.classe, k.numero);
    EXPECT_EQ(letti, (std::vector<std::pair<std::string, long long>>{{std::string("P\0", 2), 5}, {"E", 0}}));
    r.guastaFigli(cpus);
    EXPECT_TRUE(classiCoreDalRegistro(r).empty());

    auto gpu = r.aggiungi(RegistroMemoria::radice, {"AGXAcceleratorG14X", "AGXAccelerator", "IOAccelerator"});
    r.imposta(gpu, "gpu-core-count", "10");
    EXPECT_FALSE(coreGPUDalRegistro(r));
    r.imposta(gpu, "gpu-core-count", 10);
    EXPECT_EQ(coreGPUDalRegistro(r), 10);
    r.guastaServizi("AGXAccelerator");
    EXPECT_FALSE(coreGPUDalRegistro(r));
    EXPECT_EQ(r.vociAperte(), 0);
}

}  // namespace
}  // namespace pulsaro
