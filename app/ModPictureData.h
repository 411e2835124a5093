#pragma once

#include <cstddef>

// The pictures a generation run writes, rendered from the image collection by the build
// (tools/modpictures): the mod's icons at 128 × 128 and its preview picture as stored, PNG data each.
struct ModPictureData {
    const char* name;
    const unsigned char* png;
    std::size_t size;
};

extern const ModPictureData kModPictureData[];
extern const std::size_t kModPictureCount;
