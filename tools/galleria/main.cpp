#include <QApplication>
#include <QDir>
#include <cstdio>
#include <map>

#include "galleria.h"

namespace galleria {

static std::map<std::string, Disegno>& voci() {
    static std::map<std::string, Disegno> v;
    return v;
}

int registra(const std::string& nome, Disegno disegno) {
    voci()[nome] = std::move(disegno);
    return 0;
}

}  // namespace galleria

// pulsaro_galleria [folder] [name filter]: writes one PNG per registered picture.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("galleria");
    const std::string filtro = argc > 2 ? argv[2] : "";
    QDir().mkpath(cartella);
    int scritte = 0;
    for (const auto& [nome, disegno] : galleria::voci()) {
        if (!filtro.empty() && nome.find(filtro) == std::string::npos) continue;
        const QString file = cartella + "/" + QString::fromStdString(nome) + ".png";
        if (!disegno().save(file)) {
            std::fprintf(stderr, "non scritto: %s\n", qPrintable(file));
            return 1;
        }
        ++scritte;
    }
    std::printf("%d immagini in %s\n", scritte, qPrintable(cartella));
    return 0;
}
