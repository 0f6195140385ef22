#pragma once
// One folder of the audio library: a registered music folder (level 0) or one
// of its direct subfolders (level 1).

#include <cstdint>
#include <string>

namespace tonlira {

struct LibraryFolder {
    std::string name;
    std::string path;
    std::int8_t level = 0;

    bool operator==(const LibraryFolder&) const = default;
};

}  // namespace tonlira
