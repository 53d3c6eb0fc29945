// Stand-in for the macOS SDK (syntax check only): glibc has <sys/prctl.h>, macOS does not.
#pragma once

#error "<sys/prctl.h> is Linux only: the macOS SDK has no such header"
