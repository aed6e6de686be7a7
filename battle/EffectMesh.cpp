#include "battle/EffectMesh.h"

#include "engine/GraphicsResources.h"
#include "engine/ResourcePaths.h"

namespace {

struct CodeResource {
    int code;
    int resource;
};

constexpr CodeResource kEffectMeshes[] = {
    {0, 346},  {10, 329}, {11, 330}, {20, 331}, {21, 332}, {30, 333}, {31, 334}, {40, 335}, {41, 336},
    {51, 337}, {60, 338}, {61, 339}, {70, 340}, {71, 341}, {80, 342}, {81, 343}, {90, 344}, {91, 345},
};

}  // namespace

int effectMeshResource(int code) {
    for (const CodeResource& entry : kEffectMeshes) {
        if (entry.code == code) return entry.resource;
    }
    return code;
}

int loadEffectMesh(GraphicsResources& resources, gfx::Device* device, int code) {
    resources.effectMesh.reset();
    if (device == nullptr) return gfx::kFail;
    int result = gfx::kFail;
    resources.effectMesh = device->loadMesh(resources::meshPath(effectMeshResource(code)), &result);
    if (!resources.effectMesh) return result < 0 ? result : gfx::kFail;
    return gfx::kOk;
}
