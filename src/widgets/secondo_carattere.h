// Values derived from the application's font, kept until that font changes.
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <optional>
#include <type_traits>
#include <utility>

namespace pulsaro {

// What `calcola` derives from the application's font (fonts, metrics), kept until that font
// changes: the lists ask for the same fonts and heights many times on every paint. One value per
// call site (each lambda is its own type).
template <typename F>
const std::invoke_result_t<F>& secondoCarattere(F calcola) {
    static std::optional<std::pair<QFont, std::invoke_result_t<F>>> voce;
    const QFont base = qGuiApp ? QGuiApplication::font() : QFont();
    if (!voce || !(voce->first == base)) voce.emplace(base, calcola());
    return voce->second;
}

}  // namespace pulsaro
