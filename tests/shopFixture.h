// Shared harness of the shop, bank, overlay, ticker, editor and staff-roll
// tests: a recording device with the textures and targets these screens use,
// and look-ups over what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/GraphicsResources.h"
#include "engine/TextLayers.h"
#include "tests/drawingRecordingDevice.h"

namespace shoptest {

using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;
using testing_gfx::SpriteDraw;
using testing_gfx::TextDraw;

inline std::unique_ptr<gfx::Texture> namedTexture(const char* name, int w, int h, bool target = false) {
    return std::make_unique<RecordedTexture>(name, w, h, target, false, gfx::TextureFormat::A8R8G8B8);
}

// Resources with every member these screens draw with, named for the log.
inline void fillResources(GraphicsResources& resources, RecordingDevice& device) {
    resources.sprite = device.createSprite(nullptr);
    resources.quadVertices = device.createVertexBuffer(4, nullptr);
    resources.windowBackground = namedTexture("background", 64, 64);
    resources.windowBorder = namedTexture("border", 64, 64);
    resources.cursorBar = namedTexture("bar", 64, 64);
    resources.pointerHand = namedTexture("hand", 16, 16);
    resources.iconStrip = namedTexture("icons", 512, 32);
    resources.digitSheet = namedTexture("digits", 256, 64);
    resources.tileAtlas = namedTexture("atlas", 1024, 512);
    resources.layer1Target = namedTexture("layer1", 640, 480, true);
    resources.layer2Target = namedTexture("layer2", 640, 480, true);
    resources.newsTarget = namedTexture("news", 640, 30, true);
}

struct Drawn {
    RecordingDevice device;
    GraphicsResources resources;
    Drawn() { fillResources(resources, device); }

    void forget() {
        device.calls.clear();
        device.spriteDraws.clear();
        device.textDraws.clear();
    }
    // Texts drawn, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const TextDraw& t : device.textDraws) out.push_back(t.text);
        return out;
    }
    const TextDraw* findText(const std::string& text) const {
        for (const TextDraw& t : device.textDraws) {
            if (t.text == text) return &t;
        }
        return nullptr;
    }
    // The texts drawn at this rectangle's top, in order.
    std::vector<std::string> textsAtTop(int top) const {
        std::vector<std::string> out;
        for (const TextDraw& t : device.textDraws) {
            if (t.rect.top == top) out.push_back(t.text);
        }
        return out;
    }
    std::vector<SpriteDraw> drawsOf(const gfx::Texture* texture) const {
        std::vector<SpriteDraw> out;
        for (const SpriteDraw& d : device.spriteDraws) {
            if (d.texture == texture) out.push_back(d);
        }
        return out;
    }
};

// The sound effects asked for, by file name.
inline std::vector<std::string> gEffects;
inline bool recordEffect(const char* name) {
    gEffects.emplace_back(name);
    return true;
}

}  // namespace shoptest
