// Stand-in for the macOS SDK (syntax check only): glibc has <malloc.h>, macOS does not.
#pragma once

#error "<malloc.h> is Linux only: the macOS SDK has no such header"
