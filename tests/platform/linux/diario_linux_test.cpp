// The Linux writer, checked on a real standard error redirected to a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/diario.h"

namespace pulsaro {
namespace {

// Standard error goes to a temporary file while the test lives.
class ErroreSuFile {
public:
    ErroreSuFile() {
        std::fflush(stderr);
        file_ = std::tmpfile();
        salvato_ = ::dup(STDERR_FILENO);
        ::dup2(::fileno(file_), STDERR_FILENO);
    }
    ~ErroreSuFile() {
        ::dup2(salvato_, STDERR_FILENO);
        ::close(salvato_);
        std::fclose(file_);
    }
    std::string testo() const {
        std::string t;
        char buf[256];
        ::lseek(::fileno(file_), 0, SEEK_SET);
        for (ssize_t n; (n = ::read(::fileno(file_), buf, sizeof buf)) > 0;)
            t.append(buf, static_cast<std::size_t>(n));
        return t;
    }

private:
    std::FILE* file_;
    int salvato_;
};

TEST(DiarioLinux, UnaRigaSuStandardError) {
    ErroreSuFile errore;
    scriviDiarioDiSistema(LivelloDiario::avviso, "esegui", "/bin/ps non ha risposto in 5 s");
    diario(LivelloDiario::errore, "preferenze", "valore scartato");
    EXPECT_EQ(errore.testo(),
              "pulsaro: avviso: esegui: /bin/ps non ha risposto in 5 s\n"
              "pulsaro: errore: preferenze: valore scartato\n");
}

}  // namespace
}  // namespace pulsaro
