#include "platform/registro.h"

#include <gtest/gtest.h>

#include "support/registro_memoria.h"

namespace pulsaro {
namespace {

using B = ValoreRegistro::Byte;

std::vector<std::pair<std::string, long long>> coppie(const std::vector<ClasseCore>& classi) {
    std::vector<std::pair<std::string, long long>> c;
    for (const auto& k : classi) c.emplace_back(k.classe, k.numero);
    return c;
}

TEST(Registro, NumeriDelValore) {
    EXPECT_EQ(ValoreRegistro(5).intero(), 5);
    EXPECT_EQ(ValoreRegistro(5.0).intero(), 5);
    EXPECT_FALSE(ValoreRegistro(5.5).intero());
    EXPECT_FALSE(ValoreRegistro(9223372036854775808.0).intero());  // 2^63: just out of range
    EXPECT_EQ(ValoreRegistro(-9223372036854775808.0).intero(), INT64_MIN);
    EXPECT_FALSE(ValoreRegistro("5").intero());
    EXPECT_EQ(ValoreRegistro(7).numero(), 7.0);
    EXPECT_FALSE(ValoreRegistro(B{1}).numero());
}

// A handle moved or assigned over gives back what it held, once.
TEST(Registro, VoceRilasciataUnaVoltaSola) {
    RegistroMemoria r;
    r.percorso("IODeviceTree:/cpus", r.aggiungi(RegistroMemoria::radice, {"cpus"}, {}, "IODeviceTree"));
    {
        Voce a = r.voce("IODeviceTree:/cpus");
        Voce b = std::move(a);
        EXPECT_FALSE(a);
        a = r.voce("IODeviceTree:/cpus");
        a = std::move(b);
        EXPECT_EQ(r.vociAperte(), 1);
    }
    EXPECT_EQ(r.vociAperte(), 0);
}

TEST(Registro, ClassiDeiCoreECoreDellaGPU) {
    RegistroMemoria r;
    EXPECT_TRUE(classiCoreDalRegistro(r).empty());

    auto cpus = r.aggiungi(RegistroMemoria::radice, {"IOPlatformDevice"}, {}, "IODeviceTree");
    r.percorso("IODeviceTree:/cpus", cpus);
    auto cpu = [&](std::optional<ValoreRegistro> tipo, std::optional<ValoreRegistro> id) {
        ValoreRegistro::Dizionario p;
        if (tipo) p["cluster-type"] = *tipo;
        if (id) p["logical-cpu-id"] = *id;
        r.aggiungi(cpus, {"AppleARMCPU"}, p, "IODeviceTree");
    };
    cpu(B{'E', 0}, 0);
    cpu(B{'P', 0}, B{5, 0, 0, 0});  // raw little-endian data
    cpu(B{'P'}, 1);
    cpu(B{'E'}, 0);               // a repeat is handed on; the table keeps the last
    cpu(B{}, 2);                  // no class letter
    cpu(ValoreRegistro("E"), 3);  // not a byte string
    cpu(B{'E'}, std::nullopt);    // no number
    cpu(B{'E'}, "4");             // not a number
    cpu(B{0xC9}, 6);
    r.aggiungi(cpus, {"AppleARMCPU"}, {{"cluster-type", B{'P'}}, {"logical-cpu-id", 7}}, "IOService");

    std::vector<std::pair<std::string, long long>> atteso{
        {std::string("E\0", 2), 0}, {std::string("P\0", 2), 5}, {"P", 1}, {"E", 0}, {"\xC9", 6}};
    EXPECT_EQ(coppie(classiCoreDalRegistro(r)), atteso);

    r.guastaFigli(cpus);
    EXPECT_TRUE(classiCoreDalRegistro(r).empty());

    EXPECT_FALSE(coreGPUDalRegistro(r));
    auto gpu = r.aggiungi(RegistroMemoria::radice, {"AGXAcceleratorG14X", "AGXAccelerator", "IOAccelerator"});
    EXPECT_FALSE(coreGPUDalRegistro(r));
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
