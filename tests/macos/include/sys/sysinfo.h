// Stand-in for the macOS SDK (syntax check only): glibc has <sys/sysinfo.h>, macOS does not.
#pragma once

#error "<sys/sysinfo.h> is Linux only: the macOS SDK has no such header"
