// The Linux writer, checked on a real standard error redirected to a file.
#include <gtest/gtest.h>

#include "platform/diario.h"

namespace pulsaro {
namespace {

TEST(DiarioLinux, UnaRigaSuStandardError) {
    ::testing::internal::CaptureStderr();
    scriviDiarioDiSistema(LivelloDiario::avviso, "esegui", "/bin/ps non ha risposto in 5 s");
    diario(LivelloDiario::errore, "preferenze", "valore scartato");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "pulsaro: avviso: esegui: /bin/ps non ha risposto in 5 s\n"
              "pulsaro: errore: preferenze: valore scartato\n");
}

}  // namespace
}  // namespace pulsaro
