#include <gtest/gtest.h>

#include "platform/albero_finto.h"
#include "sistema/linux/energia_linux.h"
#include "sistema/linux/npu_linux.h"

namespace pulsaro {
namespace {

using prova::AlberoFinto;

void npu(const AlberoFinto& a, const std::string& occupato) {
    a.cartella("sys/bus/pci/drivers/intel_vpu");
    a.collega("sys/class/accel/accel0/device/driver", a.radice() + "/sys/bus/pci/drivers/intel_vpu");
    if (!occupato.empty()) a.scrivi("sys/class/accel/accel0/device/npu_busy_time_us", occupato);
}

TEST(NPULinux, ClientDeiDispositiviAccel) {
    AlberoFinto a;
    a.scrivi("proc/10/comm", "ollama\n");
    a.descrittore(10, 3, "/dev/accel/accel0", "drm-driver:\tintel_vpu\ndrm-client-id:\t1\n");
    EXPECT_TRUE(clientANELinux(a.radice()).empty());  // no accel device: nobody is a client

    npu(a, "");
    a.descrittore(10, 4, "/dev/accel/accel0", "drm-driver:\tintel_vpu\ndrm-client-id:\t2\n");
    a.scrivi("proc/11/comm", "vpu-dri\n");
    a.descrittore(11, 5, "/dev/dri/renderD129", "drm-driver:\tintel_vpu\ndrm-client-id:\t3\n");
    a.scrivi("proc/12/comm", "firefox\n");
    a.descrittore(12, 5, "/dev/dri/renderD128", "drm-driver:\ti915\ndrm-client-id:\t4\n");
    a.descrittore(13, 5, "/dev/accel/accelX", "drm-driver:\tintel_vpu\n");
    a.descrittore(14, 5, "socket:[1]", "drm-driver:\tintel_vpu\n");
    a.descrittore(15, 5, "/dev/accel/accel1", "");

    std::map<std::int32_t, std::string> atteso{{10, "ollama"}, {11, "vpu-dri"}, {15, ""}};
    EXPECT_EQ(clientANELinux(a.radice()), atteso);
}

TEST(EnergiaLinux, PotenzaDaHwmon) {
    AlberoFinto a;
    a.cartella("sys/class/drm/card0/device");
    EXPECT_TRUE(EnergiaLinux(a.radice()).assente());  // no NPU: nothing broken
    npu(a, "");                                       // an NPU that offers nothing readable is a fault
    EnergiaLinux vuota(a.radice());
    EXPECT_TRUE(!vuota.pronta() && !vuota.assente() && !vuota.attivitaANE());
    EXPECT_EQ(vuota.leggi().gpu, 0);

    a.scrivi("sys/class/drm/card0/device/hwmon/hwmon3/power1_average", "15500000\n");
    a.scrivi("sys/class/drm/card0/device/hwmon/hwmon3/power1_input", "99000000\n");  // average preferred
    a.scrivi("sys/class/drm/card1/device/hwmon/hwmon4/power1_input", "2000000\n");
    a.scrivi("sys/class/drm/card2/device/hwmon/hwmon5/temp1_input", "45000\n");
    a.scrivi("sys/class/drm/renderD128/device/hwmon/hwmon6/power1_input", "9000000\n");
    EnergiaLinux e(a.radice());
    EXPECT_DOUBLE_EQ(e.leggi().gpu, 17.5);
    a.scrivi("sys/class/drm/card1/device/hwmon/hwmon4/power1_input", "garbage\n");
    EXPECT_DOUBLE_EQ(e.leggi().gpu, 15.5);
    EXPECT_FALSE(e.pronta());
}

TEST(EnergiaLinux, AttivitaDallaNPU) {
    AlberoFinto a;
    npu(a, "1000000\n");
    double ora = 10;
    EnergiaLinux e(a.radice(), [&] { return ora; });
    EXPECT_TRUE(e.pronta() && !e.assente());

    ora = 12;
    a.scrivi("sys/class/accel/accel0/device/npu_busy_time_us", "1500000\n");
    EXPECT_DOUBLE_EQ(e.attivitaANE().value_or(-1), 0.25);

    // Too short an interval: nothing, and the baseline stays.
    ora = 12.001;
    EXPECT_FALSE(e.attivitaANE());
    ora = 13;
    a.scrivi("sys/class/accel/accel0/device/npu_busy_time_us", "2500000\n");
    EXPECT_DOUBLE_EQ(e.attivitaANE().value_or(-1), 1.0);

    // A counter that went backwards restarts the baseline.
    ora = 14;
    a.scrivi("sys/class/accel/accel0/device/npu_busy_time_us", "100\n");
    EXPECT_FALSE(e.attivitaANE());
    ora = 15;
    a.scrivi("sys/class/accel/accel0/device/npu_busy_time_us", "100100\n");
    EXPECT_DOUBLE_EQ(e.attivitaANE().value_or(-1), 0.1);
}

}  // namespace
}  // namespace pulsaro
