#include <pthread.h>
#include <pthread/qos.h>

#include "platform/filo.h"

namespace pulsaro {

void preparaFiloDiServizio(const std::string& nome) {
    pthread_setname_np(nome.c_str());
    pthread_set_qos_class_self_np(QOS_CLASS_UTILITY, 0);
}

}  // namespace pulsaro
