// The desktop's reduced-motion setting (macOS: the accessibility display option; Linux: the
// settings portal, where a desktop publishes it). False where nothing tells.
#pragma once

namespace pulsaro {

bool movimentoRidottoDesktop();

}  // namespace pulsaro
