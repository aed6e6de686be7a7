// Graphics resources on the recording device for the screens between the
// field and the title, battle and load screens, with the camera on a test
// clock.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "tests/drawingRecordingDevice.h"

namespace transitiontest {

inline std::uint32_t gClockMs = 0;
inline std::uint32_t testClock() { return gClockMs; }

class ScreenResources {
public:
    ScreenResources() {
        using testing_gfx::RecordedTexture;
        auto texture = [](const std::string& name, int w, int h, bool target = false) {
            return std::make_unique<RecordedTexture>(name, w, h, target, false, gfx::TextureFormat::A8R8G8B8);
        };
        resources.sprite = device.createSprite(nullptr);
        resources.layer1Target = texture("layer1", 640, 480, true);
        resources.layer2Target = texture("layer2", 640, 480, true);
        resources.groundTarget = texture("ground", 320, 320, true);
        resources.tileAtlas = texture("atlas", 1024, 512);
        resources.pictureTexture = texture("picture", 1024, 512);
        resources.portraitSheet = texture("portraits", 1024, 512);
        resources.saveSlotPanel = texture("panel", 512, 256);
        resources.iconStrip = texture("icons", 512, 32);
        resources.menuStrips = texture("strips", 512, 512);
        resources.titleNamePlate = texture("plate", 1024, 512);
        resources.openingLogo = texture("logo", 256, 64);
        resources.cameraTrack = std::make_unique<KeyframeTrack>();
    }

    // The sprite draws of one texture, in order.
    std::vector<testing_gfx::SpriteDraw> drawsOf(const char* name) const {
        std::vector<testing_gfx::SpriteDraw> out;
        for (const auto& d : device.spriteDraws)
            if (device.targetName(d.texture) == name) out.push_back(d);
        return out;
    }
    void forget() {
        device.spriteDraws.clear();
        device.textDraws.clear();
        device.calls.clear();
        device.texturesLoaded.clear();
    }

    GraphicsResources resources;
    testing_gfx::RecordingDevice device;
};

}  // namespace transitiontest
