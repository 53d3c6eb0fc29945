// Stand-in for the macOS SDK (syntax check only).
#pragma once

#include <AppKit/AppKit.h>
#include <Foundation/Foundation.h>
