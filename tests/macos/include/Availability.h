// Stand-in for the macOS SDK (syntax check only): the oldest system the application runs on is
// macOS 13, the first with SMAppService; the newest it is built against is macOS 15.
// Availability is not checked here (the target is Linux): only the versions Qt's headers read.
#pragma once

#define __MAC_10_6 1060
#define __MAC_13_0 130000
#define __MAC_14_0 140000
#define __MAC_15_0 150000
#define __MAC_OS_X_VERSION_MIN_REQUIRED __MAC_13_0
#define __MAC_OS_X_VERSION_MAX_ALLOWED __MAC_15_0
