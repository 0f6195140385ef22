// The layers of the program: every folder under src/ includes only itself
// and the folders below it. The order is written here, once.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;

// Bottom to top. A new folder under src/ goes in here, at its place: below
// everything it includes, above everything that includes it.
constexpr std::array<std::string_view, 8> kLayers = {
    "platform", "settings", "media", "library", "transport", "ui", "remote", "app",
};
// Files directly in src/ (the program's entry) sit above every folder.
constexpr std::string_view kEntry = "(src)";

std::optional<std::size_t> rankOf(std::string_view folder) {
    if (folder == kEntry) {
        return kLayers.size();
    }
    const auto found = std::find(kLayers.begin(), kLayers.end(), folder);
    if (found == kLayers.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - kLayers.begin());
}

bool isSource(const fs::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc";
}

// The folder directly under `src` that `path` lies in; kEntry for a file in src/ itself.
std::string folderOf(const fs::path& src, const fs::path& path) {
    const fs::path relative = path.lexically_normal().lexically_relative(src);
    if (relative.empty() || *relative.begin() == "..") {
        return {};
    }
    return std::distance(relative.begin(), relative.end()) == 1 ? std::string(kEntry) : relative.begin()->string();
}

// The src folder an include names, or "" when it names something outside
// src/ (a system or library header).
std::string includedFolder(const fs::path& src, const fs::path& from, const std::string& name) {
    const fs::path besides = from.parent_path() / name;
    if (fs::exists(besides)) {
        return folderOf(src, besides);
    }
    const fs::path underSrc = src / name;
    const fs::path normal = underSrc.lexically_normal();
    if (fs::exists(underSrc) || fs::is_directory(src / *fs::path(name).begin())) {
        const std::string folder = folderOf(src, normal);
        return folder == kEntry ? std::string{} : folder;
    }
    return {};
}

// Every fault found under `src`: folders missing from kLayers and includes
// that reach upwards, one readable line each.
std::vector<std::string> layerFaults(const fs::path& src) {
    std::vector<std::string> faults;
    for (const auto& entry : fs::directory_iterator(src)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && !rankOf(name)) {
            faults.push_back("src/" + name + " has no place in the layer order: add it to kLayers in " +
                             "tests/layers/LayerTest.cpp, above the folders it includes");
        }
    }

    static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.is_regular_file() && isSource(entry.path())) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string from = folderOf(src, file);
        const auto fromRank = rankOf(from);
        if (!fromRank) {
            continue;  // reported above
        }
        std::ifstream in(file);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, includeLine)) {
                continue;
            }
            const std::string to = includedFolder(src, file, match[2]);
            if (to.empty() || to == from) {
                continue;
            }
            const std::string where =
                fs::relative(file, src.parent_path()).string() + ":" + std::to_string(number) + ": ";
            const auto toRank = rankOf(to);
            if (!toRank) {
                faults.push_back(where + "includes src/" + to + ", which has no place in the layer order");
            } else if (*toRank > *fromRank) {
                faults.push_back(where + from + " includes " + std::string(match[2]) + " of " + to +
                                 ", a layer above it");
            }
        }
    }
    return faults;
}

std::string joined(const std::vector<std::string>& lines) {
    std::ostringstream out;
    for (const auto& line : lines) {
        out << line << '\n';
    }
    return out.str();
}

TEST(Layers, NoFolderUnderSrcIncludesOneAboveIt) {
    const fs::path src = fs::path(TONLIRA_SOURCE_DIR) / "src";
    ASSERT_TRUE(fs::is_directory(src)) << src;
    const auto faults = layerFaults(src);
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

// The check itself, on a small tree made for it.
class LayerCheck : public ::testing::Test {
protected:
    LayerCheck() {
        root = fs::temp_directory_path() /
               ("tonlira-layers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "src");
    }
    ~LayerCheck() override { fs::remove_all(root); }

    void put(const std::string& file, const std::string& text) {
        const fs::path path = root / "src" / file;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    std::vector<std::string> faults() { return layerFaults(root / "src"); }

    fs::path root;
};

TEST_F(LayerCheck, DownwardsAndSideways) {
    put("platform/Ids.h", "#include <vector>\n");
    put("library/Playlist.h", "#include \"media/MediaEngine.h\"\n#include \"Rows.h\"\n");
    put("library/Rows.h", "");
    put("media/MediaEngine.h", "#include \"platform/Ids.h\"\n#include <gst/gst.h>\n");
    put("ui/skin/Skin.h", "#include \"ui/Layout.h\"\n#include \"../Layout.h\"\n");
    put("ui/Layout.h", "#include \"skin/Skin.h\"\n");
    put("app/App.cpp", "#include \"ui/skin/Skin.h\"\n  #  include \"library/Playlist.h\"\n");
    put("main.cpp", "#include \"app/App.h\"\n");
    EXPECT_EQ(faults(), std::vector<std::string>{});
}

TEST_F(LayerCheck, UpwardsIncludesAreNamed) {
    put("media/Transport.h", "// the playlist\n#include \"library/Playlist.h\"\n");
    put("library/Playlist.h", "");
    put("ui/skin/Skin.cpp", "#include \"../../app/AppState.h\"\n");
    put("app/AppState.h", "");
    put("platform/Lock.cpp", "#include <main.cpp>\n#include \"settings/Prefs.h\"\n");
    const auto found = faults();
    ASSERT_EQ(found.size(), 2U) << joined(found);
    EXPECT_EQ(found[0], "src/media/Transport.h:2: media includes library/Playlist.h of library, a layer above it");
    EXPECT_EQ(found[1], "src/ui/skin/Skin.cpp:1: ui includes ../../app/AppState.h of app, a layer above it");
}

TEST_F(LayerCheck, AFolderWithoutAPlaceMustBePlaced) {
    put("plugins/Adapter.h", "#include \"ui/PlayerWindow.h\"\n");
    put("app/App.cpp", "#include \"plugins/Adapter.h\"\n");
    const auto found = faults();
    ASSERT_EQ(found.size(), 2U) << joined(found);
    EXPECT_EQ(found[0],
              "src/plugins has no place in the layer order: add it to kLayers in tests/layers/LayerTest.cpp, "
              "above the folders it includes");
    EXPECT_EQ(found[1], "src/app/App.cpp:1: includes src/plugins, which has no place in the layer order");
}

}  // namespace
}  // namespace tonlira::test
