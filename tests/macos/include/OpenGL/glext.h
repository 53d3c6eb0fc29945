// Stand-in for the macOS SDK (syntax check only).
#pragma once

#include <GL/glext.h>
#include <OpenGL/gl.h>
