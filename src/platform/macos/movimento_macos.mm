// The accessibility display option "Riduci movimento".
#import <AppKit/AppKit.h>

#include "platform/movimento.h"

namespace pulsaro {

bool movimentoRidottoDesktop() {
    @autoreleasepool {
        return NSWorkspace.sharedWorkspace.accessibilityDisplayShouldReduceMotion;
    }
}

}  // namespace pulsaro
