// Stand-in for the macOS SDK (syntax check only): Qt's umbrella headers include OpenGL on the
// Mac; Linux's declarations of the same API serve.
#pragma once

#include <GL/gl.h>
