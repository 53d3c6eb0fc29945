// Stand-in for the macOS SDK (syntax check only): the classic fixed-width types, as Apple sizes
// them on 64-bit Macs (SInt64 is long long there, while Linux's int64_t is long).
#pragma once

typedef unsigned char UInt8;
typedef signed char SInt8;
typedef unsigned short UInt16;
typedef signed short SInt16;
typedef unsigned int UInt32;
typedef signed int SInt32;
typedef unsigned long long UInt64;
typedef signed long long SInt64;
typedef unsigned char Boolean;
typedef float Float32;
typedef double Float64;

typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;
typedef SInt16 OSErr;
typedef SInt32 OSStatus;

enum { noErr = 0 };
