// Stand-in for the macOS SDK (syntax check only): glibc has <sys/epoll.h>, macOS does not.
#pragma once

#error "<sys/epoll.h> is Linux only: the macOS SDK has no such header"
