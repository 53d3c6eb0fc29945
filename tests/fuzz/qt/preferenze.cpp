// A preferences file as it may be found on disk (INI, as QSettings writes it on Linux): every key
// it holds is read with every typed read.
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>

#include "fuzz/fuzz.h"
#include "platform/qt/preferenze_qt.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    static QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("Pulsaro.conf"));
    if (std::FILE* f = std::fopen(file.toLocal8Bit().constData(), "wb")) {
        std::fwrite(dati, 1, n, f);
        std::fclose(f);
    }
    const QStringList chiavi = QSettings(file, QSettings::IniFormat).allKeys();
    PreferenzeQt p(file);
    for (const QString& k : chiavi) {
        const std::string chiave = k.toStdString();
        const auto v = p.valore(chiave);
        p.booleano(chiave, true);
        p.intero(chiave, 0);
        p.testo(chiave, "");
        if (v && std::holds_alternative<double>(*v))
            fuzz::verifica(std::isfinite(std::get<double>(*v)), "numero finito");
    }
    return 0;
}
