// Test and benchmark support: sphere models made in code, so that drawing
// can be exercised without the art files.
#pragma once

#include <cmath>

#include "render/model_file.h"

enum class SphereLayout {
    Bands,   // one strip per band of latitude, one normal for the band
    Facets,  // one strip (two triangles) per facet, each with its own normal
};

// stacks x slices x 2 triangles, front faces outwards, of radius `radius`.
inline Model makeSphere(float radius, int stacks, int slices, uint32_t texture,
                        SphereLayout layout = SphereLayout::Facets) {
    const float pi = 3.14159265f;
    auto point = [&](int stack, int slice) {
        const float down = static_cast<float>(stack) / static_cast<float>(stacks) * pi;
        const float around = static_cast<float>(slice) / static_cast<float>(slices) * 2.0f * pi;
        return Vector3{std::sin(down) * std::cos(around), std::sin(down) * std::sin(around),
                       std::cos(down)};
    };
    auto add = [&](ModelStrip& strip, int stack, int slice) {
        const Vector3 p = point(stack, slice);
        strip.vertices.push_back({radius * p.x, radius * p.y, radius * p.z});
        strip.texCoords.push_back({static_cast<float>(slice) / static_cast<float>(slices),
                                   1.0f - static_cast<float>(stack) / static_cast<float>(stacks)});
    };
    Model model;
    model.texture = texture;
    ModelMesh& mesh = model.objects.emplace_back().meshes.emplace_back();
    for (int stack = 0; stack < stacks; ++stack) {
        if (layout == SphereLayout::Bands) {
            ModelStrip& strip = mesh.strips.emplace_back();
            strip.normal = {
                0.0f, 0.0f,
                std::cos((static_cast<float>(stack) + 0.5f) * pi / static_cast<float>(stacks))};
            for (int slice = 0; slice <= slices; ++slice) {
                add(strip, stack, slice);
                add(strip, stack + 1, slice);
            }
            continue;
        }
        for (int slice = 0; slice < slices; ++slice) {
            ModelStrip& strip = mesh.strips.emplace_back();
            const float down = (static_cast<float>(stack) + 0.5f) * pi / static_cast<float>(stacks);
            const float around =
                (static_cast<float>(slice) + 0.5f) * 2.0f * pi / static_cast<float>(slices);
            strip.normal = {std::sin(down) * std::cos(around), std::sin(down) * std::sin(around),
                            std::cos(down)};
            add(strip, stack, slice);
            add(strip, stack + 1, slice);
            add(strip, stack, slice + 1);
            add(strip, stack + 1, slice + 1);
        }
    }
    return model;
}
