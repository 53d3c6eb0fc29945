#include "platform/esegui.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

extern char** environ;

namespace pulsaro {

namespace {

using Orologio = std::chrono::steady_clock;

// Output beyond this is a runaway program, not a listing.
constexpr std::size_t massimoUscita = 64u << 20;

class Descrittore {
public:
    explicit Descrittore(int fd = -1) : fd_(fd) {}
    ~Descrittore() { chiudi(); }
    Descrittore(const Descrittore&) = delete;
    Descrittore& operator=(const Descrittore&) = delete;
    int get() const { return fd_; }
    void chiudi() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// Close-on-exec from the start where the system allows it, so that a child started by another
// thread at the same moment does not inherit our ends.
bool creaTubo(int fd[2]) {
#if defined(__linux__)
    return ::pipe2(fd, O_CLOEXEC) == 0;
#else
    if (::pipe(fd) != 0) return false;
    for (int i = 0; i < 2; ++i) ::fcntl(fd[i], F_SETFD, FD_CLOEXEC);
    return true;
#endif
}

// A descriptor number of 0 to 2 would be clobbered by the child's own redirections.
int sopraStandard(int fd) {
    if (fd > 2) return fd;
    const int nuovo = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    ::close(fd);
    return nuovo;
}

struct AzioniFile {
    posix_spawn_file_actions_t a;
    bool pronte = posix_spawn_file_actions_init(&a) == 0;
    ~AzioniFile() {
        if (pronte) posix_spawn_file_actions_destroy(&a);
    }
};

struct Attributi {
    posix_spawnattr_t a;
    bool pronti = posix_spawnattr_init(&a) == 0;
    ~Attributi() {
        if (pronti) posix_spawnattr_destroy(&a);
    }
};

void attendiFine(pid_t pid) {
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Kills the child's whole group (it leads its own), then reaps it.
void uccidi(pid_t pid) {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    attendiFine(pid);
}

}  // namespace

std::optional<std::string> eseguiProgramma(const std::string& percorso,
                                           const std::vector<std::string>& argomenti,
                                           std::chrono::milliseconds limite) {
    const auto scadenza = Orologio::now() + limite;

    int tubo[2];
    if (!creaTubo(tubo)) return std::nullopt;
    Descrittore lettura(sopraStandard(tubo[0]));
    Descrittore scrittura(sopraStandard(tubo[1]));
    if (lettura.get() < 0 || scrittura.get() < 0) return std::nullopt;

    AzioniFile azioni;
    Attributi attributi;
    if (!azioni.pronte || !attributi.pronti) return std::nullopt;
    if (posix_spawn_file_actions_addopen(&azioni.a, 0, "/dev/null", O_RDONLY, 0) != 0 ||
        posix_spawn_file_actions_adddup2(&azioni.a, scrittura.get(), 1) != 0 ||
        posix_spawn_file_actions_addopen(&azioni.a, 2, "/dev/null", O_WRONLY, 0) != 0)
        return std::nullopt;

    // Default signal handling and an empty mask, whatever this process set up; a group of its own,
    // so that a timeout also ends anything it started.
    sigset_t vuoto, tutti;
    sigemptyset(&vuoto);
    sigfillset(&tutti);
    sigdelset(&tutti, SIGKILL);
    sigdelset(&tutti, SIGSTOP);
    short flag = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP;
#ifdef POSIX_SPAWN_CLOEXEC_DEFAULT
    flag |= POSIX_SPAWN_CLOEXEC_DEFAULT;  // descriptors opened without close-on-exec elsewhere
#endif
    if (posix_spawnattr_setsigmask(&attributi.a, &vuoto) != 0 ||
        posix_spawnattr_setsigdefault(&attributi.a, &tutti) != 0 ||
        posix_spawnattr_setpgroup(&attributi.a, 0) != 0 || posix_spawnattr_setflags(&attributi.a, flag) != 0)
        return std::nullopt;

    std::vector<std::string> copia;
    copia.reserve(argomenti.size() + 1);
    copia.push_back(percorso);
    copia.insert(copia.end(), argomenti.begin(), argomenti.end());
    std::vector<char*> argv;
    argv.reserve(copia.size() + 1);
    for (auto& a : copia) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    if (posix_spawn(&pid, percorso.c_str(), &azioni.a, &attributi.a, argv.data(), environ) != 0)
        return std::nullopt;
    scrittura.chiudi();  // EOF arrives once the child (and anything it started) has closed its end

    std::string uscita;
    char blocco[65536];
    for (;;) {
        const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(scadenza - Orologio::now());
        if (resta.count() <= 0) {
            uccidi(pid);
            return std::nullopt;
        }
        pollfd p{lettura.get(), POLLIN, 0};
        const int pronti = ::poll(&p, 1, static_cast<int>(std::min<long long>(resta.count() + 1, 1 << 30)));
        if (pronti < 0) {
            if (errno == EINTR) continue;
            uccidi(pid);
            return std::nullopt;
        }
        if (pronti == 0) continue;
        const ssize_t n = ::read(lettura.get(), blocco, sizeof blocco);
        if (n > 0) {
            uscita.append(blocco, static_cast<std::size_t>(n));
            if (uscita.size() > massimoUscita) {
                uccidi(pid);
                return std::nullopt;
            }
            continue;
        }
        if (n == 0) break;
        if (errno == EINTR || errno == EAGAIN) continue;
        uccidi(pid);
        return std::nullopt;
    }
    lettura.chiudi();

    // Output is complete; the child normally exits right away, but it gets only what is left of
    // the time allowed.
    auto pausa = std::chrono::microseconds(200);
    for (;;) {
        const pid_t r = ::waitpid(pid, nullptr, WNOHANG);
        if (r == pid) break;
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) break;  // already reaped elsewhere (SIGCHLD ignored): nothing left to wait for
        if (Orologio::now() >= scadenza) {
            uccidi(pid);
            return std::nullopt;
        }
        std::this_thread::sleep_for(pausa);
        if (pausa < std::chrono::milliseconds(10)) pausa *= 2;
    }
    return uscita;
}

double secondiCpuFigli() {
    rusage r{};
    if (::getrusage(RUSAGE_CHILDREN, &r) != 0) return 0;
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

}  // namespace pulsaro
