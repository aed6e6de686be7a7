// The shared effect-mesh slot of GraphicsResources: the battle's stone skills
// and one weapon skill show their mesh from it, and the boat race puts its
// boat there.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// The mesh resource a code names: 0 the boat (346); 10, 11, 20, 21, 30, 31,
// 40, 41, 51, 60, 61, 70, 71, 80, 81, 90, 91 the effect meshes 329 to 345 in
// that order; any other code is taken as the resource number itself.
int effectMeshResource(int code);

// Releases the mesh in resources.effectMesh, then loads "Res/Xfile_<n>.x"
// for the code into it. Returns the loader's result: 0, or negative with the
// slot left empty (mesh slots then draw nothing). Without a device the slot
// is emptied and kFail returned.
int loadEffectMesh(GraphicsResources& resources, gfx::Device* device, int code);
