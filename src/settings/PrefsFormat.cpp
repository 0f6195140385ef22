#include "settings/PrefsFormat.h"

#include "settings/Utf8.h"
#include "settings/Windows1252.h"

#include <algorithm>

namespace tonlira {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineEndChars = "\r\n";
constexpr std::string_view kBlanks = " \t";
constexpr char kCommentMark = ';';
constexpr char kGroupOpen = '[';
constexpr char kGroupClose = ']';
constexpr char kAssign = '=';
constexpr std::string_view kCommentPrefix = "; ";
constexpr std::string_view kAssignWritten = " = ";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view trimLeft(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view trimRight(std::string_view text) {
    const auto last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

// One line, its leading blanks already skipped and its line end cut off.
PrefsEntry parseLine(std::string_view line) {
    PrefsEntry entry;
    if (line.front() == kCommentMark) {
        std::string_view text = line.substr(1);
        if (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
        entry.kind = PrefsEntry::Kind::Comment;
        entry.name = text;
    } else if (line.front() == kGroupOpen) {
        const std::string_view text = line.substr(1);
        entry.kind = PrefsEntry::Kind::Group;
        entry.name = text.substr(0, text.find(kGroupClose));
    } else {
        const auto assign = line.find(kAssign);
        entry.kind = PrefsEntry::Kind::Key;
        entry.name = trimRight(line.substr(0, assign));
        if (assign != std::string_view::npos) {
            entry.value = trimLeft(line.substr(assign + 1));
        }
    }
    return entry;
}

void appendLine(std::string& out, const PrefsEntry& entry) {
    switch (entry.kind) {
    case PrefsEntry::Kind::Group:
        out += kGroupOpen;
        out += entry.name;
        out += kGroupClose;
        break;
    case PrefsEntry::Kind::Comment:
        out += kCommentPrefix;
        out += entry.name;
        break;
    case PrefsEntry::Kind::Key:
        out += entry.name;
        out += kAssignWritten;
        out += entry.value;
        break;
    }
    out += kLineEnd;
}

bool hasLineEnd(std::string_view text) { return text.find_first_of(kLineEndChars) != std::string_view::npos; }

bool isWellFormedUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto decoded = decodeUtf8(bytes);
        if (!decoded) {
            return false;
        }
        bytes.remove_prefix(decoded->length);
    }
    return true;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether bytes written without a mark would be taken for UTF-8 when read.
bool readsAsUtf8(std::string_view bytes) {
    return bytes.starts_with(kByteOrderMark) || (!isAscii(bytes) && isWellFormedUtf8(bytes));
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

PrefsDocument parsePrefs(std::string_view bytes) {
    PrefsDocument document;
    std::string text;
    if (bytes.starts_with(kByteOrderMark)) {
        // Taken byte for byte: what is not well-formed is kept, not repaired,
        // so a rewrite leaves it as it was.
        document.encoding = PrefsEncoding::Utf8;
        text = bytes.substr(kByteOrderMark.size());
    } else if (!isAscii(bytes) && isWellFormedUtf8(bytes)) {
        document.encoding = PrefsEncoding::Utf8WithoutMark;
        text = bytes;
    } else {
        text = windows1252ToUtf8(bytes);
    }

    const std::string_view data = text;
    std::size_t pos = 0;
    while (pos < data.size()) {
        if (isBlank(data[pos]) || isLineEnd(data[pos])) {
            ++pos;
            continue;
        }
        const auto end = std::min(data.find_first_of(kLineEndChars, pos), data.size());
        document.entries.push_back(parseLine(data.substr(pos, end - pos)));
        pos = end;
    }
    return document;
}

std::string renderPrefs(PrefsDocument& document) {
    if (document.entries.empty()) {
        return {};
    }
    std::string text;
    for (const auto& entry : document.entries) {
        appendLine(text, entry);
    }
    if (document.encoding == PrefsEncoding::EightBit) {
        auto bytes = utf8ToWindows1252(text);
        // 8-bit bytes that would read back as UTF-8 (what made the file
        // 8-bit may have been on a line the rewrite drops) are written as
        // UTF-8 with the mark, so the file keeps its meaning.
        if (bytes && !readsAsUtf8(*bytes)) {
            return std::move(*bytes);
        }
        document.encoding = PrefsEncoding::Utf8;
    }
    if (document.encoding == PrefsEncoding::Utf8WithoutMark && !text.starts_with(kByteOrderMark)) {
        return text;
    }
    document.encoding = PrefsEncoding::Utf8;
    std::string bytes;
    bytes.reserve(kByteOrderMark.size() + kLineEnd.size() + text.size());
    bytes += kByteOrderMark;
    bytes += kLineEnd;
    bytes += text;
    return bytes;
}

bool namesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

bool isWritableGroupName(std::string_view name) {
    return !hasLineEnd(name) && name.find(kGroupClose) == std::string_view::npos;
}

bool isWritableKeyName(std::string_view name) {
    if (hasLineEnd(name) || name.find(kAssign) != std::string_view::npos) {
        return false;
    }
    if (name.empty()) {
        return true;
    }
    return name.front() != kCommentMark && name.front() != kGroupOpen && !isBlank(name.front()) &&
           !isBlank(name.back());
}

bool isWritableValue(std::string_view value) { return !hasLineEnd(value); }

}  // namespace tonlira
