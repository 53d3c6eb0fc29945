#include "widgets/risorsa.h"

namespace pulsaro {

QString Risorsa::titolo() const {
    switch (caso_) {
        case cpu:
            return QStringLiteral("CPU");
        case gpu:
            return QStringLiteral("GPU");
        case ane:
            return QStringLiteral("Neural Engine");
    }
    return {};
}

QString Risorsa::breve() const {
    switch (caso_) {
        case cpu:
            return QStringLiteral("CPU");
        case gpu:
            return QStringLiteral("GPU");
        case ane:
            return QStringLiteral("ANE");
    }
    return {};
}

const ColoreAdattivo& Risorsa::colore() const {
    switch (caso_) {
        case cpu:
            return Tema::orange;
        case gpu:
            return Tema::control;
        case ane:
            break;
    }
    return Tema::green;
}

double Risorsa::valore(const UsoProcesso& p) const {
    switch (caso_) {
        case cpu:
            return p.cpu;
        case gpu:
            return p.gpu;
        case ane:
            break;
    }
    return p.ane;
}

}  // namespace pulsaro
