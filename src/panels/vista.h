// How the main window draws its process list: as bars or as gauges.
#pragma once

#include <QString>
#include <array>
#include <string>

namespace pulsaro {

enum class Vista { barre, contagiri };

inline constexpr std::array<Vista, 2> tutteLeViste{Vista::barre, Vista::contagiri};

// "Barre", "Contagiri": the stored value and the picker's text.
QString testoVista(Vista v);
// A stored text that names no case reads as the bars.
Vista vistaDaTesto(const std::string& testo);

}  // namespace pulsaro
