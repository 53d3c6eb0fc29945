// GPU probe on Linux: the light read (device utilisation only) and the full descriptor scan.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "sistema/linux/gpu_linux.h"

namespace {

namespace fs = std::filesystem;

// A machine with one GPU, its connectors and render node, and `processi` processes of
// `descrittori` descriptors each, two of which (3 and 4) are DRM clients.
class Macchina {
public:
    Macchina(int processi, int descrittori) {
        std::random_device rd;
        radice_ = fs::temp_directory_path() / ("pulsaro-bench-gpu-" + std::to_string(rd()));
        scrivi("sys/class/drm/card0/device/gpu_busy_percent", "37\n");
        scrivi("sys/class/drm/renderD128/device/gpu_busy_percent", "37\n");
        for (const char* c : {"card0-DP-1", "card0-DP-2", "card0-HDMI-A-1", "card0-eDP-1"})
            fs::create_directories(radice_ / "sys/class/drm" / c);
        scrivi("sys/class/drm/version", "drm 1.1.0 20060810\n");
        for (int p = 1; p <= processi; ++p) {
            const fs::path proc = radice_ / "proc" / std::to_string(1000 + p);
            scrivi(proc / "comm", "processo" + std::to_string(p) + "\n");
            fs::create_directories(proc / "fd");
            for (int fd = 0; fd < descrittori; ++fd) {
                std::string destinazione,
                    info = "pos:\t0\nflags:\t02\nmnt_id:\t20\nino:\t" + std::to_string(fd) + "\n";
                if (fd == 3 || fd == 4) {
                    destinazione = "/dev/dri/renderD128";
                    info += "drm-driver:\ti915\ndrm-pdev:\t0000:00:02.0\ndrm-client-id:\t" +
                            std::to_string(p) +
                            "\ndrm-engine-render:\t123456789 ns\ndrm-engine-copy:\t0 ns\n"
                            "drm-engine-video:\t5000 ns\ndrm-engine-capacity-video:\t2\n";
                } else if (fd % 3 == 0) {
                    destinazione = "socket:[" + std::to_string(40000 + fd) + "]";
                } else if (fd % 3 == 1) {
                    destinazione = "/usr/lib/x86_64-linux-gnu/libfile" + std::to_string(fd) + ".so";
                } else {
                    destinazione = "anon_inode:[eventfd]";
                }
                fs::create_symlink(destinazione, proc / "fd" / std::to_string(fd));
                scrivi(proc / "fdinfo" / std::to_string(fd), info);
            }
        }
    }
    Macchina(const Macchina&) = delete;
    Macchina& operator=(const Macchina&) = delete;
    ~Macchina() {
        std::error_code e;
        fs::remove_all(radice_, e);
    }
    std::string radice() const { return radice_.string(); }

private:
    void scrivi(const fs::path& relativo, const std::string& testo) {
        fs::path p = relativo.is_absolute() ? relativo : radice_ / relativo;
        fs::create_directories(p.parent_path());
        std::ofstream(p) << testo;
    }
    fs::path radice_;
};

void BM_GPULeggeraAlberoFinto(benchmark::State& stato) {
    Macchina m(1, 1);
    for (auto _ : stato) benchmark::DoNotOptimize(pulsaro::letturaGPULinux(m.radice(), false));
}
BENCHMARK(BM_GPULeggeraAlberoFinto)->Unit(benchmark::kMicrosecond);

// This machine as it is (here: no DRM card at all).
void BM_GPULeggeraSistema(benchmark::State& stato) {
    for (auto _ : stato) benchmark::DoNotOptimize(pulsaro::letturaGPULinux("/", false));
}
BENCHMARK(BM_GPULeggeraSistema)->Unit(benchmark::kMicrosecond);

void BM_GPUScansioneDescrittori(benchmark::State& stato) {
    Macchina m(static_cast<int>(stato.range(0)), static_cast<int>(stato.range(1)));
    for (auto _ : stato) {
        auto l = pulsaro::letturaGPULinux(m.radice(), true);
        if (l.perPid.size() != static_cast<std::size_t>(stato.range(0)))
            stato.SkipWithError("wrong client count");
        benchmark::DoNotOptimize(l);
    }
    stato.counters["descrittori"] = static_cast<double>(stato.range(0) * stato.range(1));
}
BENCHMARK(BM_GPUScansioneDescrittori)->Args({100, 50})->Args({100, 5})->Unit(benchmark::kMillisecond);

}  // namespace
