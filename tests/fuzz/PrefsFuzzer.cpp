// Arbitrary bytes for the preferences parser, its rewrite and the file's
// edits. An input is three short strings (group, key, value), each ended by
// a backslash and one other character ("\\" is a backslash), then the file:
//
//   Ansicht\;playerfarbe\;42\;[Allgemein]\r\nplaylist = 1\r\n
//
// (libFuzzer's FuzzedDataProvider reads strings the same way.)
//
// What must hold, beyond no crash and no sanitizer report:
// - Rendering what was parsed is a fixed point: the rendered bytes parse to
//   the same entries and render to the same bytes again. (Blank lines,
//   blanks around "=" and after ";", and text after "]" are not kept, so the
//   first rewrite of a hand-written file may differ from it; every later
//   rewrite of an unchanged file is byte-identical.)
// - Opening, reading and closing without a write leaves the file untouched.
// - A write that is accepted is read back, in memory and after the file has
//   been closed and opened again, and the reopened file holds exactly the
//   entries that were in memory. A write that is refused changes nothing.

#include "settings/PreferencesFile.h"
#include "settings/PrefsFormat.h"
#include "settings/Utf8.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

[[noreturn]] void failed(const char* what, int line) {
    std::fprintf(stderr, "prefs fuzzer: invariant broken at line %d: %s\n", line, what);
    std::abort();
}
#define CHECK(condition) ((condition) ? (void)0 : failed(#condition, __LINE__))

bool sameEntries(const std::vector<tonlira::PrefsEntry>& a, const std::vector<tonlira::PrefsEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.kind == y.kind && x.name == y.name && x.value == y.value;
    });
}

// A folder of this process's own, on a memory file system when there is one
// (the rewrite syncs the file to disk).
const fs::path& workFolder() {
    static const fs::path folder = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path made = base / ("tonlira-prefs-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(made);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(workFolder(), ignored);
        });
        return made;
    }();
    return folder;
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The value of the first key named `key` in the current group, as listed.
std::optional<std::string> listedValue(tonlira::PreferencesFile& file, std::string_view key) {
    if (!file.beginKeys()) {
        return std::nullopt;
    }
    while (file.nextKey()) {
        if (tonlira::namesEqual(file.keyName(), key)) {
            return file.keyValue();
        }
    }
    return std::nullopt;
}

// Splits an input as the top of this file says.
class InputReader {
public:
    explicit InputReader(std::string_view data) : rest_(data) {}

    std::string nextString() {
        std::string text;
        while (!rest_.empty()) {
            const char c = rest_.front();
            rest_.remove_prefix(1);
            if (c == '\\' && !rest_.empty()) {
                const char escaped = rest_.front();
                rest_.remove_prefix(1);
                if (escaped != '\\') {
                    break;
                }
            }
            text.push_back(c);
        }
        return text;
    }
    std::string_view remaining() const { return rest_; }

private:
    std::string_view rest_;
};

void checkRoundTrip(std::string_view bytes) {
    tonlira::PrefsDocument first = tonlira::parsePrefs(bytes);
    const std::vector<tonlira::PrefsEntry> parsed = first.entries;
    const std::string written = tonlira::renderPrefs(first);
    CHECK(sameEntries(first.entries, parsed));

    tonlira::PrefsDocument second = tonlira::parsePrefs(written);
    CHECK(sameEntries(second.entries, parsed));
    CHECK(tonlira::renderPrefs(second) == written);
}

void checkEdits(std::string_view group, std::string_view key, std::string_view value, int number,
                std::string_view bytes) {
    const fs::path path = workFolder() / "Tonlira.prefs";
    putFile(path, bytes);

    tonlira::PreferencesFile file;
    CHECK(file.open(path.string()));
    file.selectGroup(group);
    (void)file.readInteger(key, 0);
    (void)file.readFloat(key, 0.0F);
    (void)listedValue(file, key);
    CHECK(file.close());
    CHECK(fileBytes(path) == bytes);

    CHECK(file.open(path.string()));
    const std::vector<tonlira::PrefsEntry> before = file.entries();
    file.selectGroup(group);
    const std::string numberKey = std::string(key) + "#";
    const bool wroteText = file.writeString(key, value);
    const bool wroteNumber = wroteText && file.writeInteger(numberKey, number);
    if (!wroteText) {
        CHECK(!file.isModified());
        CHECK(sameEntries(file.entries(), before));
        return;
    }
    CHECK(wroteNumber);
    CHECK(listedValue(file, key) == trimmed(value));
    CHECK(file.readInteger(numberKey, number ^ 1) == number);
    const std::vector<tonlira::PrefsEntry> edited = file.entries();
    CHECK(file.close());

    CHECK(file.open(path.string()));
    CHECK(sameEntries(file.entries(), edited));
    CHECK(file.selectGroup(group));
    CHECK(listedValue(file, key) == trimmed(value));
    CHECK(file.readInteger(numberKey, number ^ 1) == number);
    file.close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    checkRoundTrip(whole);

    InputReader input(whole);
    // Names and values come from the program, which holds UTF-8.
    const std::string group = tonlira::repairUtf8(input.nextString());
    const std::string key = tonlira::repairUtf8(input.nextString());
    const std::string value = tonlira::repairUtf8(input.nextString());
    const std::string_view bytes = input.remaining();
    std::uint32_t hash = 2166136261U;
    for (const char c : whole) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    checkEdits(group, key, value, static_cast<int>(hash), bytes);
    return 0;
}
