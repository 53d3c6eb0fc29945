// The catalogue of the machine's figures: every figure the program shows, prints, keeps in its
// history or exports is declared here once, with its names, its unit and how it is read from the
// records. Adding a figure means an entry in the table, its reader and the probe that measures it.
//
// Metric names follow one scheme: "pulsaro_", the subject in Italian with words joined by "_",
// then the base unit where there is one: "_ratio" for a share (the figure's percent divided by
// 100), "_watts" for a power; a count of cores has no unit suffix. Every metric is a gauge. The
// busy cores of both classes are one metric, told apart by a label "classe" holding the short label.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sampling/uso.h"

namespace pulsaro {

// The figures, in the order they are listed, printed and exported. The values double as indices
// into `catalogo` and `Misure`.
enum class Figura : std::uint8_t { memoria, cpu, coreP, coreE, gpu, gpuWatt, ane, aneWatt };
inline constexpr std::size_t numeroFigure = 8;

enum class Unita : std::uint8_t {
    percento,  // 0–100
    core,      // a count of cores
    watt,
    attivita,  // a percent of activity told as "attivo" / "a riposo"
};

// The source whose failure makes a figure unreadable (memory has none of its own).
enum class Fonte : std::uint8_t { nessuna, cpu, gpu, ane };

struct VoceCatalogo {
    Figura figura;
    const char* id;         // stable identifier: "memoria", "cpu", "coreP", ...
    const char* titolo;     // Italian title, as the descriptions name it: "Memoria", "Potenza GPU"
    const char* etichetta;  // short label: "Mem", "P", "GPU W"
    Unita unita;
    const char* json;     // key in the terminal's JSON
    const char* metrica;  // metric name, see the scheme above
    // The menu-bar tile's item that shows it ("mem", "cpu", "core", "gpu", "n"), or "" for none;
    // the items' stored keys and their order stay those of the preference table.
    const char* voceRiquadro;
    // Part of the summary that the light sample reads (and the tile and its description show);
    // the others come only with the full sample's totals.
    bool nelRiepilogo;
    Fonte fonte;
};

inline constexpr std::array<VoceCatalogo, numeroFigure> catalogo{{
    {Figura::memoria, "memoria", "Memoria", "Mem", Unita::percento, "memoria", "pulsaro_memoria_usata_ratio",
     "mem", true, Fonte::nessuna},
    {Figura::cpu, "cpu", "CPU", "CPU", Unita::percento, "cpu", "pulsaro_cpu_ratio", "cpu", true, Fonte::cpu},
    {Figura::coreP, "coreP", "Core P impegnati", "P", Unita::core, "coreP", "pulsaro_core_impegnati", "core",
     true, Fonte::cpu},
    {Figura::coreE, "coreE", "Core E impegnati", "E", Unita::core, "coreE", "pulsaro_core_impegnati", "core",
     true, Fonte::cpu},
    {Figura::gpu, "gpu", "GPU", "GPU", Unita::percento, "gpu", "pulsaro_gpu_ratio", "gpu", true, Fonte::gpu},
    {Figura::gpuWatt, "gpuWatt", "Potenza GPU", "GPU W", Unita::watt, "gpuWatt", "pulsaro_gpu_potenza_watts",
     "", false, Fonte::gpu},
    {Figura::ane, "ane", "Neural Engine", "ANE", Unita::attivita, "ane",
     "pulsaro_neural_engine_attivita_ratio", "n", true, Fonte::ane},
    {Figura::aneWatt, "aneWatt", "Potenza Neural Engine", "ANE W", Unita::watt, "aneWatt",
     "pulsaro_neural_engine_potenza_watts", "", false, Fonte::ane},
}};

constexpr const VoceCatalogo& voce(Figura f) {
    return catalogo[static_cast<std::size_t>(f)];
}
// By its id; none for an unknown one.
const VoceCatalogo* voce(std::string_view id);

// Every figure of one moment; a figure that was not read (a power during a light sample) is none.
class Misure {
public:
    std::optional<double> operator[](Figura f) const;
    void imposta(Figura f, double v);

private:
    std::array<double, numeroFigure> valori_{};
    std::uint8_t letti_ = 0;  // one bit per figure
};

// The readers: from the summary (the light sample's figures) and from a full sample, whose totals
// carry everything but memory, which the summary holds.
Misure misure(const Riepilogo& r);
Misure misure(const Riepilogo& r, const UsoTotale& t);

// Whether the figure's source works (a unit the machine lacks does not).
bool disponibile(Figura f, const StatoFonti& stato);

// The Neural Engine counts as working from half a percent of activity.
bool aneAttivo(double ane);

// The figure's text: "62 %", "3", "4,2 W" (decimal comma), "attivo" / "a riposo"; unclamped.
// Compact puts no space before "%" ("62%"), as the tile's description does.
std::string testo(Figura f, double v, bool compatto = false);
// The value a metric exports: a percent as a ratio, the rest as it is.
double valoreMetrica(Figura f, double v);

}  // namespace pulsaro
