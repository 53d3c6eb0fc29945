// Stand-in for the macOS SDK (syntax check only): glibc has <sys/inotify.h>, macOS does not.
#pragma once

#error "<sys/inotify.h> is Linux only: the macOS SDK has no such header"
