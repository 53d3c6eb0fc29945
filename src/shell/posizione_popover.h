// Where the popover goes: hanging under the status item (at the click where the tray does not
// say where the item is), above it when the item sits at the bottom of the screen, and always
// inside the screen's available area.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace pulsaro {

// voce: the item's rectangle, empty when unknown; cursore: where the click was.
QPoint posizionePopover(const QRect& voce, const QPoint& cursore, const QSize& dimensione, const QRect& area);

}  // namespace pulsaro
