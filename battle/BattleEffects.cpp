// The battle's effect slots: sheet billboards and the loaded effect mesh.
#include "battle/BattleServices.h"
#include "engine/GraphicsResources.h"

namespace {

constexpr float kDegreesToRadians = 3.14159265358979323846f / 180.0f;

void drawSheetCell(GraphicsResources& resources, gfx::Device* device, const EffectSlot& slot) {
    gfx::Vertex* v = resources.quadVertices->lock();
    if (!v) return;
    const float left = static_cast<float>(slot.kind) * 0.2f;
    const float right = static_cast<float>(slot.kind + 1) * 0.2f;
    const float top = static_cast<float>(slot.row) * 0.2f;
    const float bottom = static_cast<float>(slot.row + 1) * 0.2f;
    v[0] = {0.25f, 0.75f, 0.05f, 0xFFFFFFFFu, left, top};
    v[1] = {0.75f, 0.75f, 0.05f, 0xFFFFFFFFu, right, top};
    v[2] = {0.25f, 0.25f, 0.05f, 0xFFFFFFFFu, left, bottom};
    v[3] = {0.75f, 0.25f, 0.05f, 0xFFFFFFFFu, right, bottom};
    resources.quadVertices->unlock();
    device->setTexture(resources.effectSheet.get());
    resources.worldMatrix = gfx::matrixTranslation(slot.x, slot.y, slot.z);
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
}

void drawMesh(GraphicsResources& resources, gfx::Device* device, const EffectSlot& slot) {
    device->setRenderState(gfx::kRsAlphaRef, 0);
    gfx::Mesh* mesh = resources.effectMesh.get();
    if (!mesh) return;  // a failed load leaves no mesh: the slot draws nothing
    const gfx::Matrix world =
        gfx::matrixMultiply(gfx::matrixMultiply(gfx::matrixScaling(slot.scaleX, slot.scaleY, slot.scaleZ),
                                                gfx::matrixRotationY(slot.yaw * kDegreesToRadians)),
                            gfx::matrixTranslation(slot.x, slot.y, slot.z));
    resources.worldMatrix = world;
    device->setTransform(gfx::TransformKind::World, world);
    device->setTexture(nullptr);
    device->setRenderState(gfx::kRsZWriteEnable, 1);
    device->setRenderState(gfx::kRsLighting, 1);
    device->setRenderState(gfx::kRsStencilEnable, 0);
    device->setRenderState(gfx::kRsAlphaBlendEnable, 1);
    device->setRenderState(gfx::kRsSrcBlend, gfx::kBlendSrcAlpha);
    device->setRenderState(gfx::kRsDestBlend, gfx::kBlendInvSrcAlpha);
    for (int i = 0; i < mesh->materialCount(); ++i) {
        gfx::Material material = mesh->material(i);
        material.diffuse.a = slot.opacity;
        device->setMaterial(material);
        mesh->drawSubset(i);
    }
    device->setRenderState(gfx::kRsLighting, 0);
}

}  // namespace

void drawBattleEffects(GraphicsResources& resources, gfx::Device* device) {
    if (!device || !resources.quadVertices) return;
    device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    device->setRenderState(gfx::kRsAlphaRef, 127);
    device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
    for (const EffectSlot& slot : gEffectSlots) {
        if (slot.active == 0) continue;
        if (slot.kind < 100)
            drawSheetCell(resources, device, slot);
        else
            drawMesh(resources, device, slot);
    }
}
