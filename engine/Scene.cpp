#include "engine/Scene.h"

// The title is where the game starts.
int gScene = 1000;
