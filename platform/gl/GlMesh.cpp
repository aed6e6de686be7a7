// Meshes from text .x files, kept on the CPU and drawn subset by subset
// through the device's transform-and-light stream.
#include <algorithm>

#include "platform/XMesh.h"
#include "platform/gl/GlDevice.h"

namespace gfx {
namespace {

class GlMesh final : public Mesh {
public:
    GlMesh(std::shared_ptr<GlDeviceLink> link, xmesh::MeshData data)
        : link_(std::move(link)), materials_(std::move(data.materials)), hasNormals_(data.hasNormals),
          hasColours_(data.hasColours) {
        for (const auto& subset : data.subsets) {
            std::vector<LitInput> lit;
            lit.reserve(subset.size());
            for (const xmesh::MeshVertex& v : subset) lit.push_back(LitInput{v.position, v.normal, v.colour, v.u, v.v});
            subsets_.push_back(std::move(lit));
        }
    }

    int materialCount() const override { return static_cast<int>(materials_.size()); }
    const Material& material(int index) const override {
        return materials_[static_cast<std::size_t>(std::clamp(index, 0, materialCount() - 1))];
    }
    void drawSubset(int index) override {
        if (link_->device == nullptr || index < 0 || index >= static_cast<int>(subsets_.size())) return;
        const auto& lit = subsets_[static_cast<std::size_t>(index)];
        link_->device->drawWorld(GL_TRIANGLES, lit.data(), lit.size(), hasNormals_, hasColours_);
    }

private:
    std::shared_ptr<GlDeviceLink> link_;
    std::vector<Material> materials_;
    std::vector<std::vector<LitInput>> subsets_;
    bool hasNormals_, hasColours_;
};

}  // namespace

std::unique_ptr<Mesh> GlDevice::loadMesh(const std::string& path, int* result) {
    xmesh::MeshData data;
    const int r = xmesh::loadXMeshFile(path, data);
    if (result != nullptr) *result = r;
    if (r != xmesh::kOk) return nullptr;
    return std::make_unique<GlMesh>(link_, std::move(data));
}

}  // namespace gfx
