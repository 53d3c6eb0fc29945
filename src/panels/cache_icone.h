// Application icons by process id, remembered together with the processes that have none.
#pragma once

#include <QIcon>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>

namespace pulsaro {

class CacheIcone {
public:
    using Ricerca = std::function<std::optional<QIcon>(std::int32_t pid)>;

    static constexpr std::size_t capienza = 301;  // a new pid arriving at this size empties the cache

    // ricerca asks the system; by default the running application's icon.
    explicit CacheIcone(Ricerca ricerca = ricercaDiSistema());

    // The cache the whole application shares, used on the main thread only.
    static CacheIcone& condivisa();

    // The icon of the application running as pid, or nothing; asked once per pid.
    std::optional<QIcon> icona(std::int32_t pid);

    std::size_t dimensione() const { return icone_.size(); }

    // The running application of pid through applicazioniDiSistema(): its PNG bytes, its icon
    // file, or its icon theme name, in this order.
    static Ricerca ricercaDiSistema();

private:
    Ricerca ricerca_;
    std::unordered_map<std::int32_t, std::optional<QIcon>> icone_;
};

}  // namespace pulsaro
