#include "platform/Gfx.h"

namespace gfx {

// Temporary until the OpenGL device lands on this branch.
std::unique_ptr<Device> createGlDevice(const DeviceOptions&, int* result) {
    if (result != nullptr) *result = kNotAvailable;
    return nullptr;
}

}  // namespace gfx
