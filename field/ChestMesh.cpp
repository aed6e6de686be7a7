#include "engine/GraphicsResources.h"
#include "field/FieldState.h"
#include "field/TouchObject.h"

void drawChestMesh(GraphicsResources& resources, gfx::Device* device, const float position[3], int opened) {
    if (device == nullptr) return;
    gfx::Mesh* mesh = opened == 1 ? resources.openChestMesh.get() : resources.closedChestMesh.get();
    if (mesh == nullptr) return;
    const float kHalfPi = 1.57079632679f;
    resources.worldMatrix = gfx::matrixMultiply(
        gfx::matrixMultiply(gfx::matrixScaling(0.5f, 0.5f, 0.5f), gfx::matrixRotationY(kHalfPi)),
        gfx::matrixTranslation(position[0] + 0.5f, position[1], position[2] + 0.6f));
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    device->setTexture(nullptr);
    device->setRenderState(gfx::kRsAlphaTestEnable, 0);
    device->setRenderState(gfx::kRsZWriteEnable, 1);
    device->setRenderState(gfx::kRsLighting, 1);
    for (int i = 0; i < mesh->materialCount(); ++i) {
        gfx::Material material = mesh->material(i);
        if (gFieldTintActive == 1) {
            material.diffuse.r *= gFieldTint[0];
            material.diffuse.g *= gFieldTint[1];
            material.diffuse.b *= gFieldTint[2];
            material.emissive.r *= gFieldTint[0];
            material.emissive.g *= gFieldTint[1];
            material.emissive.b *= gFieldTint[2];
        }
        device->setMaterial(material);
        mesh->drawSubset(i);
    }
    device->setRenderState(gfx::kRsLighting, 0);
}
