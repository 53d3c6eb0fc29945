// Linux: one write(2) per line on standard error. When standard error is the journal (a
// systemd user service, an autostarted session app), the line carries its priority instead.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/diario.h"

namespace pulsaro {

namespace {

// JOURNAL_STREAM is "device:inode" of the journal's socket; it counts only while standard error
// is still that socket (a child whose stderr was redirected inherits the variable too).
bool erroreNelGiornale() {
    const char* v = std::getenv("JOURNAL_STREAM");
    if (!v) return false;
    unsigned long long dispositivo = 0, inode = 0;
    if (std::sscanf(v, "%llu:%llu", &dispositivo, &inode) != 2) return false;
    struct stat st {};
    if (::fstat(STDERR_FILENO, &st) != 0) return false;
    return static_cast<unsigned long long>(st.st_dev) == dispositivo &&
           static_cast<unsigned long long>(st.st_ino) == inode;
}

}  // namespace

void scriviDiarioDiSistema(LivelloDiario l, std::string_view categoria, std::string_view messaggio) {
    static const bool giornale = erroreNelGiornale();
    const std::string riga = rigaDiario(l, categoria, messaggio, giornale);
    std::size_t scritti = 0;
    while (scritti < riga.size()) {
        const ssize_t n = ::write(STDERR_FILENO, riga.data() + scritti, riga.size() - scritti);
        if (n <= 0) return;  // nowhere to log: nothing else to do
        scritti += static_cast<std::size_t>(n);
    }
}

}  // namespace pulsaro
