// The Linux GPU and NPU readers on a fake /sys and /proc.
#include <gtest/gtest.h>

#include "platform/albero_finto.h"
#include "platform/linux/drm.h"
#include "sistema/linux/energia_linux.h"
#include "sistema/linux/gpu_linux.h"
#include "sistema/linux/npu_linux.h"

namespace pulsaro {
namespace {

using prova::AlberoFinto;

std::string client(const std::string& driver, const std::string& id, const std::string& motori) {
    return "pos:\t0\nflags:\t02100002\nmnt_id:\t26\nino:\t1063\ndrm-driver:\t" + driver +
           "\ndrm-pdev:\t0000:00:02.0\ndrm-client-id:\t" + id + "\n" + motori;
}

void schede(const AlberoFinto& a) {
    a.scrivi("sys/class/drm/card0/device/gpu_busy_percent", "30\n");
    a.scrivi("sys/class/drm/card1/device/gpu_busy_percent", "55\n");
    a.cartella("sys/class/drm/card2");  // no device: not a GPU
    a.scrivi("sys/class/drm/card0-HDMI-A-1/device/gpu_busy_percent", "99\n");
    a.scrivi("sys/class/drm/renderD128/device/gpu_busy_percent", "99\n");
    a.scrivi("sys/class/drm/card/device/gpu_busy_percent", "99\n");
    a.scrivi("sys/class/drm/version", "drm 1.1.0 20060810\n");
}

TEST(GPULinux, SchedeAssentiIlleggibiliOSenzaCarico) {
    AlberoFinto a;
    // DRM-looking descriptors do not make a GPU, and are not even looked at; nor does a card
    // without a device, or the firmware's framebuffer, a display.
    a.descrittore(100, 3, "/dev/dri/renderD128", client("i915", "7", "drm-engine-render:\t5 ns\n"));
    a.cartella("sys/class/drm/card0");
    LetturaGPU l = letturaGPULinux(a.radice(), true);
    EXPECT_TRUE(!l.trovata && l.assente && l.perPid.empty()) << "no GPU is no fault";
    a.cartella("sys/bus/platform/drivers/simple-framebuffer");
    a.collega("sys/class/drm/card0/device/driver",
              a.radice() + "/sys/bus/platform/drivers/simple-framebuffer");
    EXPECT_TRUE(letturaGPULinux(a.radice(), true).assente);

    // A card whose driver offers no utilisation still counts as a GPU; one that offers it and
    // cannot give it fails (the alert state's business), unless another card reads.
    AlberoFinto b;
    b.cartella("sys/class/drm/card0/device");
    EXPECT_TRUE(letturaGPULinux(b.radice(), true).trovata);
    b.scrivi("sys/class/drm/card0/device/gpu_busy_percent", "garbage\n");
    l = letturaGPULinux(b.radice(), true);
    EXPECT_TRUE(!l.trovata && !l.assente);
    b.scrivi("sys/class/drm/card1/device/gpu_busy_percent", "40\n");
    l = letturaGPULinux(b.radice(), false);
    EXPECT_TRUE(l.trovata);
    EXPECT_DOUBLE_EQ(l.totale, 40);
}

TEST(GPULinux, SoloLeSchedeETempiPerProcessoDaFdinfo) {
    AlberoFinto a;
    schede(a);
    a.cartella("sys/bus/pci/drivers/amdgpu");
    a.collega("sys/class/drm/card1/device/driver", a.radice() + "/sys/bus/pci/drivers/amdgpu");
    const auto s = schedeDRM(a.radice());
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].nome + " " + s[1].driver, "card1 amdgpu");
    const std::string motori =
        "drm-engine-render:\t1000 ns\ndrm-engine-video:\t500 ns\n"
        "drm-engine-capacity-video:\t2\ndrm-cycles-render:\t777\n"
        "drm-total-system:\t4 KiB\n";
    a.scrivi("proc/100/comm", "glxgears\n");
    a.descrittore(100, 3, "/dev/dri/renderD128", client("i915", "7", motori));
    a.descrittore(100, 4, "/dev/dri/card0", client("i915", "7", motori));  // same client, again
    a.descrittore(100, 5, "/dev/dri/renderD128", client("i915", "8", "drm-engine-render:\t25 ns\n"));
    a.descrittore(100, 6, "socket:[4242]", client("i915", "9", "drm-engine-render:\t9999 ns\n"));
    a.descrittore(100, 7, "/dev/accel/accel0", client("intel_vpu", "1", "drm-engine-npu:\t9999 ns\n"));
    a.descrittore(100, 8, "/home/u/file.txt", "pos:\t0\nflags:\t0100000\n");

    a.scrivi("proc/200/comm", "vecchio\n");
    a.descrittore(200, 3, "/dev/dri/renderD128", "pos:\t0\nflags:\t02\n");  // no usage keys: no entry

    // Another process with the same client id: its own client.
    a.scrivi("proc/300/comm", "gioco con spazi\n");
    a.descrittore(
        300, 9, "/dev/dri/renderD129",
        client("amdgpu", "7", "drm-engine-gfx: 40 ns\ndrm-engine-compute:\t2\ndrm-engine-dma:\t5 us\n"));

    // A client that reports stats with every engine idle still gets an entry.
    a.descrittore(400, 3, "/dev/dri/renderD128", client("i915", "12", ""));
    a.cartella("proc/500");  // no fd folder
    a.cartella("proc/self/fd");
    a.descrittore(0, 1, "/dev/dri/card0", client("i915", "3", "drm-engine-render:\t1 ns\n"));
    // Clients without an id are counted once per descriptor.
    for (int fd : {3, 4})
        a.descrittore(10, fd, "/dev/dri/renderD128", "drm-driver:\tpanfrost\ndrm-engine-fragment:\t7 ns\n");

    LetturaGPU l = letturaGPULinux(a.radice(), true);
    const std::map<std::int32_t, std::pair<std::uint64_t, std::string>> atteso{{0, {1, ""}},
                                                                               {10, {14, ""}},
                                                                               {100, {1525, "glxgears"}},
                                                                               {300, {42, "gioco con spazi"}},
                                                                               {400, {0, ""}}};
    EXPECT_EQ(l.perPid, atteso);
    EXPECT_DOUBLE_EQ(l.totale, 55);

    // The light reading never looks at descriptors.
    EXPECT_TRUE(letturaGPULinux(a.radice(), false).perPid.empty());
}

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

    // Too short an interval gives nothing and keeps the baseline; a counter that went backwards
    // restarts it (-1: no reading).
    const std::tuple<double, const char*, double> passi[] = {{12, "1500000\n", 0.25},
                                                             {12.001, "1500000\n", -1},
                                                             {13, "2500000\n", 1.0},
                                                             {14, "100\n", -1},
                                                             {15, "100100\n", 0.1}};
    for (auto [istante, occupato, atteso] : passi) {
        ora = istante;
        a.scrivi("sys/class/accel/accel0/device/npu_busy_time_us", occupato);
        EXPECT_DOUBLE_EQ(e.attivitaANE().value_or(-1), atteso) << istante;
    }
}

}  // namespace
}  // namespace pulsaro
