// OpenGL declarations for the GL backend (core 3.3 entry points, linked
// through the system's GL dispatch library).
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
