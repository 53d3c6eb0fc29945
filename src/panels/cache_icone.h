// The icons the windows share for the whole run: application icons by process id, remembered
// together with the processes that have none, and the popover's gear per colour. The controller
// owns one and hands it to the panels it makes.
#pragma once

#include <QIcon>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>

#include "widgets/elementi_processo.h"

namespace pulsaro {

class CacheIcone {
public:
    using Ricerca = std::function<std::optional<QIcon>(std::int32_t pid)>;

    static constexpr std::size_t capienza = 301;  // a new pid arriving at this size empties the cache

    // ricerca asks the system; by default the running application's icon.
    explicit CacheIcone(Ricerca ricerca = ricercaDiSistema());

    // The icon of the application running as pid, or nothing; asked once per pid.
    std::optional<QIcon> icona(std::int32_t pid);

    std::size_t dimensione() const { return icone_.size(); }

    // The gear of the popover's settings button in this colour. One per colour for the whole run:
    // a new one at each opening would leave its copies in Qt's pixmap cache every time.
    QIcon ingranaggio(QRgb colore);
    // The gear drawn for processes without an icon.
    ImmaginiIngranaggio& ingranaggi() { return ingranaggi_; }
    static constexpr std::size_t coloriIngranaggio = 4;  // a fifth colour empties them

    // The running application of pid through applicazioniDiSistema(): its PNG bytes, its icon
    // file, or its icon theme name, in this order.
    static Ricerca ricercaDiSistema();

private:
    Ricerca ricerca_;
    std::unordered_map<std::int32_t, std::optional<QIcon>> icone_;
    std::unordered_map<QRgb, QIcon> ingranaggiColore_;
    ImmaginiIngranaggio ingranaggi_;
};

}  // namespace pulsaro
