// Stand-in for the macOS SDK (syntax check only): the core profile; <OpenGL/gl.h> and
// <OpenGL/glext.h> already declare what Qt's headers use.
#pragma once

#include <OpenGL/gl.h>
