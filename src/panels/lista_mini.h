// The popover's process list: a click area that opens the main window, and for the keyboard a
// list whose rows the arrow keys walk.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "widgets/elementi_pannello.h"

namespace pulsaro {

class RigaMini;

class ListaMini : public AreaCliccabile {
public:
    using AreaCliccabile::AreaCliccabile;

    // The rows on show, in order.
    std::vector<RigaMini*> righe() const;
    // The keyboard's row among those on show; none until the list has had the focus.
    std::optional<int> rigaCorrente() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void vaiA(int i);
    void annunciaFuoco();

    std::optional<std::int32_t> corrente_;  // by process, so a new order keeps the row
};

}  // namespace pulsaro
