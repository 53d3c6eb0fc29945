// Exit signals on every POSIX system: the handler writes one byte to a pipe that the event loop
// watches, so the quit itself runs as ordinary code.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/segnali_uscita.h"

namespace pulsaro {

namespace {

int tubo[2] = {-1, -1};
constexpr int segnali[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void suSegnale(int numero) {
    // Async-signal-safe only: one byte, the signal's number; errno is restored.
    const int errnoPrima = errno;
    const unsigned char b = static_cast<unsigned char>(numero);
    [[maybe_unused]] auto scritti = ::write(tubo[1], &b, 1);
    errno = errnoPrima;
}

bool apriTubo() {
    // No pipe2 here: set close-on-exec and non-blocking on each end.
    if (::pipe(tubo) != 0) return false;
    for (int d : tubo) {
        ::fcntl(d, F_SETFD, FD_CLOEXEC);
        ::fcntl(d, F_SETFL, ::fcntl(d, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

}  // namespace

int installaSegnaliUscita() {
    if (tubo[0] < 0) {
        if (!apriTubo()) {
            tubo[0] = tubo[1] = -1;
            return -1;
        }
    }
    struct sigaction a {};
    a.sa_handler = suSegnale;
    sigemptyset(&a.sa_mask);
    a.sa_flags = SA_RESTART;
    for (int s : segnali) ::sigaction(s, &a, nullptr);
    return tubo[0];
}

int leggiSegnaleUscita(int descrittore) {
    int ultimo = 0;
    unsigned char buf[32];
    for (;;) {
        const auto n = ::read(descrittore, buf, sizeof buf);
        if (n <= 0) break;
        ultimo = buf[n - 1];
    }
    return ultimo;
}

void ripristinaSegnaliUscita() {
    for (int s : segnali) std::signal(s, SIG_DFL);
}

}  // namespace pulsaro
