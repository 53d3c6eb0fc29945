// How the main window's list shows: the processes as bars or as gauges, or the history.
#pragma once

#include <QString>
#include <array>
#include <string>

namespace pulsaro {

enum class Vista { barre, contagiri, storia };

inline constexpr std::array<Vista, 3> tutteLeViste{Vista::barre, Vista::contagiri, Vista::storia};

// "Barre", "Contagiri", "Storia": the stored value and the picker's text.
QString testoVista(Vista v);
// A stored text that names no case reads as the bars.
Vista vistaDaTesto(const std::string& testo);

}  // namespace pulsaro
