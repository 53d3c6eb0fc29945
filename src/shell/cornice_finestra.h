// The main window's saved frame in the text form the Mac keeps for window frames: four integers
// for the frame and four for the visible frame of its screen, origin at the bottom left of the
// main screen, y upwards ("120 80 980 760 0 0 1440 875 "). Qt's coordinates put the origin at the
// top left of the primary screen, y downwards; the conversion lives only here.
#pragma once

#include <QRect>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tabella_preferenze.h"

namespace pulsaro {

inline constexpr const char* chiaveCornicePrincipale = TabellaPreferenze::cornicePrincipale.chiave;

struct Cornice {
    QRect finestra;  // Qt coordinates, frame included
    QRect schermo;   // the available area of its screen, Qt coordinates; empty when not saved
};

// altezzaPrincipale: the height of the primary screen, where the two origins part.
std::string testoCornice(const Cornice& c, int altezzaPrincipale);
// None for anything but four or eight numbers with a positive width and height.
std::optional<Cornice> leggiCornice(std::string_view testo, int altezzaPrincipale);

// A frame brought inside `area`: no larger than it, then moved in.
QRect dentroArea(const QRect& cornice, const QRect& area);

// The saved frame when its title bar lies on one of the screens' available areas, brought inside
// the area it lands on; else none (the window is then centred).
std::optional<QRect> corniceUsabile(std::string_view testo, int altezzaPrincipale,
                                    const std::vector<QRect>& aree);

}  // namespace pulsaro
