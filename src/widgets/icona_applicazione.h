// The application icon: the gauge symbol in white on an orange rounded square. The installed
// icon files and the windows' icon are the same drawing.
#pragma once

#include <QIcon>
#include <QImage>

namespace pulsaro {

// Drawn afresh at each size, so that small sizes stay crisp rather than scaled down.
QImage iconaApplicazione(int lato);

// The icon at the sizes task bars and window lists ask for (16 to 256 pixels).
QIcon iconaApplicazioneCompleta();

// The name of the installed desktop file and icon, without ".desktop".
inline constexpr const char* idApplicazione = "it.pulsaro.Pulsaro";

}  // namespace pulsaro
