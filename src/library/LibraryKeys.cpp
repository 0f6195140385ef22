#include "library/LibraryKeys.h"

#include "settings/PrefsFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace tonlira {
namespace {

constexpr char fieldSeparator = ':';
constexpr char escapeMark = '%';
constexpr char suffixMark = '~';
constexpr char escapedValueMark = 'v';
constexpr const char* hexDigits = "0123456789ABCDEF";
constexpr int hexBase = 16;
constexpr unsigned lowNibble = 0x0F;
constexpr unsigned nibbleBits = 4;

// Characters escaped anywhere in a name, and those escaped at its ends.
constexpr std::string_view escapedAnywhere = "%:=[;\r\n\t";
constexpr std::string_view escapedAtEnds = " ";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string escape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool atEnd = i == 0 || i + 1 == text.size();
        if (escapedAnywhere.find(c) != std::string_view::npos ||
            (atEnd && escapedAtEnds.find(c) != std::string_view::npos)) {
            const auto byte = static_cast<unsigned char>(c);
            out += escapeMark;
            out += hexDigits[byte >> nibbleBits];
            out += hexDigits[byte & lowNibble];
        } else {
            out += c;
        }
    }
    return out;
}

int hexValue(char c) {
    const char* found = c == '\0' ? nullptr : std::strchr(hexDigits, std::toupper(static_cast<unsigned char>(c)));
    return found != nullptr ? static_cast<int>(found - hexDigits) : -1;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == escapeMark && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * hexBase + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool valueReadsBack(const std::string& value) {
    return isWritableValue(value) && (value.empty() || (!isBlank(value.front()) && !isBlank(value.back())));
}

bool nameFitsPlainKey(const std::string& name) {
    return name.find(fieldSeparator) == std::string::npos && isWritableKeyName(name + fieldSeparator + "0");
}

// The suffix "~digits" or "~digits" + "v"; tells whether the value is escaped.
bool readSuffix(const std::string& suffix, bool& valueEscaped) {
    if (suffix.size() < 2 || suffix.front() != suffixMark) {
        return false;
    }
    std::string digits = suffix.substr(1);
    valueEscaped = !digits.empty() && digits.back() == escapedValueMark;
    if (valueEscaped) {
        digits.pop_back();
    }
    return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<PrefsKeyValue> libraryKeys(const std::vector<LibraryFolder>& library) {
    std::vector<PrefsKeyValue> keys;
    keys.reserve(library.size());
    for (std::size_t index = 0; index < library.size(); ++index) {
        const LibraryFolder& folder = library[index];
        const std::string level = std::to_string(folder.level);
        const std::string plain = folder.name + fieldSeparator + level;
        const bool taken = std::any_of(keys.begin(), keys.end(),
                                       [&](const PrefsKeyValue& used) { return namesEqual(used.key, plain); });
        const bool valuePlain = valueReadsBack(folder.path);
        if (!taken && valuePlain && nameFitsPlainKey(folder.name)) {
            keys.push_back({plain, folder.path});
            continue;
        }
        std::string key =
            escape(folder.name) + fieldSeparator + level + fieldSeparator + suffixMark + std::to_string(index);
        if (!valuePlain) {
            key += escapedValueMark;
        }
        keys.push_back({std::move(key), valuePlain ? folder.path : escape(folder.path)});
    }
    return keys;
}

LibraryFolder folderFromKey(const std::string& key, const std::string& value) {
    LibraryFolder folder;
    const auto first = key.find(fieldSeparator);
    folder.name = key.substr(0, first);
    folder.path = value;
    if (first == std::string::npos) {
        return folder;
    }
    const auto second = key.find(fieldSeparator, first + 1);
    const std::string levelText =
        key.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    // The integer the level text begins with, 0 when it is not a number;
    // only its low byte is kept.
    folder.level = static_cast<std::int8_t>(std::strtol(levelText.c_str(), nullptr, 10));
    bool valueEscaped = false;
    if (second != std::string::npos && readSuffix(key.substr(second + 1), valueEscaped)) {
        folder.name = unescape(folder.name);
        if (valueEscaped) {
            folder.path = unescape(value);
        }
    }
    return folder;
}

}  // namespace tonlira
