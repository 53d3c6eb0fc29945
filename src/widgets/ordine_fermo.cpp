#include "widgets/ordine_fermo.h"

#include <algorithm>
#include <optional>

namespace pulsaro {

std::vector<UsoProcesso> ordineFermo(const std::vector<UsoProcesso>& mostrati,
                                     const std::vector<UsoProcesso>& nuovi) {
    const auto in = [](const std::vector<UsoProcesso>& v, std::int32_t id) {
        return std::find_if(v.begin(), v.end(), [id](const UsoProcesso& p) { return p.id == id; });
    };
    std::vector<const UsoProcesso*> arrivati;
    for (const UsoProcesso& p : nuovi)
        if (in(mostrati, p.id) == mostrati.end()) arrivati.push_back(&p);
    auto prossimo = arrivati.begin();

    std::vector<UsoProcesso> v;
    v.reserve(nuovi.size());
    for (const UsoProcesso& m : mostrati) {
        if (auto it = in(nuovi, m.id); it != nuovi.end())
            v.push_back(*it);
        else if (prossimo != arrivati.end())
            v.push_back(**prossimo++);
    }
    for (; prossimo != arrivati.end(); ++prossimo) v.push_back(**prossimo);
    return v;
}

}  // namespace pulsaro
