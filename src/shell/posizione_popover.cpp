#include "shell/posizione_popover.h"

#include <algorithm>

namespace pulsaro {

namespace {
constexpr int distacco = 4;  // between the item and the popover's edge
}

QPoint posizionePopover(const QRect& voce, const QPoint& cursore, const QSize& dimensione,
                        const QRect& area) {
    const QRect ancora = voce.isEmpty() ? QRect(cursore, QSize(1, 1)) : voce;
    int x = ancora.center().x() - dimensione.width() / 2;
    int y = ancora.bottom() + 1 + distacco;
    // No room below (a panel at the bottom of the screen): above the item.
    if (y + dimensione.height() > area.bottom() + 1 &&
        ancora.top() - distacco - dimensione.height() >= area.top())
        y = ancora.top() - distacco - dimensione.height();
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - dimensione.width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - dimensione.height()));
    return {x, y};
}

}  // namespace pulsaro
