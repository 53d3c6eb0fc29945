// A text written to the preferences file reads back as the same text: colours such as "112233",
// texts that look like numbers or booleans, and any other valid UTF-8.
#include "fuzz/fuzz.h"
#include "platform/qt/preferenze_qt.h"
#include "platform/testo_utf8.h"

using namespace pulsaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    static const fuzz::Cartella cartella;
    const auto t = fuzz::testo(dati, n);
    if (!utf8Valido(t)) return 0;
    const QString file = QString::fromStdString(cartella.radice + "/Pulsaro.conf");
    const std::string valore(t);
    {
        PreferenzeQt p(file);
        p.scrivi("coloreRiquadro", valore);
    }
    PreferenzeQt p(file);
    fuzz::verifica(p.testo("coloreRiquadro") == valore, "un testo scritto si rilegge uguale");
    return 0;
}
