#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/filo.h"

namespace pulsaro {

void preparaFiloDiServizio(const std::string& nome) {
    // Linux names are at most 15 bytes.
    pthread_setname_np(pthread_self(), nome.substr(0, 15).c_str());
    // Nice applies to a single thread on Linux; 10 is well below interactive work.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
}

}  // namespace pulsaro
