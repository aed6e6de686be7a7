#include "engine/TextLayers.h"

#include "engine/GraphicsResources.h"

int gRedrawRequest[2] = {1, 1};
int gLayer2HasText = 0;
int gLayer1HasText = 0;

void resetTextLayers() {
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    gLayer2HasText = 0;
    gLayer1HasText = 0;
}

void clearTextLayer(GraphicsResources& resources, gfx::Device* device, gfx::Texture* layer) {
    if (device == nullptr || layer == nullptr) return;
    device->setRenderTarget(layer);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0x00000000u, 1.0f, 0);
    device->setRenderTarget(resources.backBuffer);
}

void clearRequestedTextLayers(GraphicsResources& resources, gfx::Device* device) {
    if (gRedrawRequest[0] == 1) clearTextLayer(resources, device, resources.layer2Target.get());
    if (gRedrawRequest[1] == 1) clearTextLayer(resources, device, resources.layer1Target.get());
}

void drawTextLayer(GraphicsResources& resources, gfx::Texture* layer) {
    if (!resources.sprite || layer == nullptr) return;
    const gfx::Vec2 shadowAt{1.0f, 1.0f};
    const gfx::Vec2 textAt{0.0f, 0.0f};
    resources.sprite->draw(layer, nullptr, nullptr, nullptr, 0.0f, &shadowAt, kTextLayerShadow);
    resources.sprite->draw(layer, nullptr, nullptr, nullptr, 0.0f, &textAt, 0xFFFFFFFFu);
}

void drawTextLayers(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.sprite) return;
    resources.sprite->begin();
    drawTextLayer(resources, resources.layer2Target.get());
    drawTextLayer(resources, resources.layer1Target.get());
    resources.sprite->end();
}

void endTextLayerFrame() {
    for (int& request : gRedrawRequest) request = (request == 2) ? 1 : 0;
}

void requestBothTextLayers() {
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
}
