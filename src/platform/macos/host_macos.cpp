// Host readings on macOS: Mach processor and VM statistics, sysctl, and the device tree's
// processor list through the registry seam.
#include <mach/mach.h>
#include <mach/mach_host.h>
#include <mach/processor_info.h>
#include <sys/sysctl.h>
#include <sys/types.h>
#include <unistd.h>

#include "platform/host.h"
#include "platform/registro.h"

namespace pulsaro {

namespace {

// One send right for the whole run, so no call leaks one.
mach_port_t host() {
    static const mach_port_t porta = mach_host_self();
    return porta;
}

// The info array host_processor_info hands out, released on every path.
class InfoProcessori {
public:
    ~InfoProcessori() {
        if (info_)
            vm_deallocate(mach_task_self(), reinterpret_cast<vm_address_t>(info_),
                          conteggio_ * sizeof(integer_t));
    }
    bool leggi() {
        natural_t processori = 0;
        kern_return_t kr =
            host_processor_info(host(), PROCESSOR_CPU_LOAD_INFO, &processori, &info_, &conteggio_);
        if (kr != KERN_SUCCESS) {
            info_ = nullptr;
            return false;
        }
        processori_ = processori;
        return info_ != nullptr;
    }
    natural_t processori() const { return processori_; }
    const integer_t* info() const { return info_; }
    mach_msg_type_number_t conteggio() const { return conteggio_; }

private:
    processor_info_array_t info_ = nullptr;
    mach_msg_type_number_t conteggio_ = 0;
    natural_t processori_ = 0;
};

std::optional<long long> sysctlIntero(const char* nome) {
    std::int32_t v = 0;
    size_t misura = sizeof v;
    if (sysctlbyname(nome, &v, &misura, nullptr, 0) != 0) return std::nullopt;
    return v;
}

class HostMacos : public Host {
public:
    std::optional<std::vector<ContatoriCore>> contatoriCPU() override {
        InfoProcessori p;
        if (!p.leggi()) return std::nullopt;
        std::vector<ContatoriCore> out;
        const natural_t n = p.processori();
        if (static_cast<std::size_t>(n) * CPU_STATE_MAX > p.conteggio()) return std::nullopt;
        out.reserve(n);
        for (natural_t i = 0; i < n; ++i) {
            const integer_t* c = p.info() + i * CPU_STATE_MAX;
            // 32-bit counters, widened; a wrap shows as a drop that the arithmetic leaves out.
            auto u = [](integer_t v) { return static_cast<std::uint64_t>(static_cast<std::uint32_t>(v)); };
            out.push_back(ContatoriCore{u(c[CPU_STATE_USER]), u(c[CPU_STATE_SYSTEM]), u(c[CPU_STATE_IDLE]),
                                        u(c[CPU_STATE_NICE])});
        }
        return out;
    }

    double memoriaUsata() override {
        vm_statistics64_data_t s{};
        mach_msg_type_number_t conteggio = HOST_VM_INFO64_COUNT;
        if (host_statistics64(host(), HOST_VM_INFO64, reinterpret_cast<host_info64_t>(&s), &conteggio) !=
            KERN_SUCCESS)
            return 0;
        const std::uint64_t pagine =
            static_cast<std::uint64_t>(s.active_count) + s.wire_count + s.compressor_page_count;
        const double fisica = static_cast<double>(memoriaFisica());
        if (fisica <= 0) return 0;
        const double p =
            static_cast<double>(vm_kernel_page_size) * static_cast<double>(pagine) / fisica * 100.0;
        return p > 100 ? 100 : p;
    }

    std::vector<ClasseCore> classiCore() override { return classiCoreDalRegistro(registroDiSistema()); }

    int processori() override {
        auto n = sysctlIntero("hw.logicalcpu_max");
        return n && *n > 0 ? static_cast<int>(*n) : static_cast<int>(sysconf(_SC_NPROCESSORS_CONF));
    }

    int processoriAttivi() override {
        auto n = sysctlIntero("hw.activecpu");
        return n && *n > 0 ? static_cast<int>(*n) : static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    }

    std::uint64_t memoriaFisica() override {
        std::uint64_t v = 0;
        size_t misura = sizeof v;
        if (sysctlbyname("hw.memsize", &v, &misura, nullptr, 0) != 0) return 0;
        return v;
    }

    std::optional<long long> corePrestazioni() override { return sysctlIntero("hw.perflevel0.physicalcpu"); }
    std::optional<long long> coreEfficienza() override { return sysctlIntero("hw.perflevel1.physicalcpu"); }

    std::optional<long long> coreGPU() override { return coreGPUDalRegistro(registroDiSistema()); }
};

}  // namespace

Host& hostDiSistema() {
    static HostMacos h;
    return h;
}

}  // namespace pulsaro
