#pragma once
// The text form of the preferences file: a list of group headers, comments
// and key lines, parsed from and written to bytes.
//
// Inside the program every name and value is UTF-8. On disk a file is 8-bit
// (Windows-1252), UTF-8 with a byte order mark, or UTF-8 without one (as
// editors save it): a file without the mark is taken as UTF-8 when its bytes
// are well-formed UTF-8 and not all ASCII, since real Windows-1252 text with
// accented letters practically never is. A file is written back in the form
// it was read in, and bytes of a UTF-8 file that are not well-formed UTF-8
// pass through unchanged.

#include <string>
#include <string_view>
#include <vector>

namespace tonlira {

enum class PrefsEncoding { EightBit, Utf8, Utf8WithoutMark };

struct PrefsEntry {
    enum class Kind { Group, Comment, Key };

    Kind kind = Kind::Key;
    std::string name;   // group name, comment text or key name
    std::string value;  // keys only
};

struct PrefsDocument {
    std::vector<PrefsEntry> entries;
    PrefsEncoding encoding = PrefsEncoding::EightBit;
};

// Reads the whole file content. Blank lines vanish; leading blanks of a line
// are ignored; the first character makes the line a comment (";"), a group
// header ("[") or a key line.
PrefsDocument parsePrefs(std::string_view bytes);

// The bytes of `document`, every line ending in CR LF, UTF-8 files with the
// mark starting with it and CR LF, an empty list giving no bytes at all.
// An 8-bit document holding a character Windows-1252 lacks is written as
// UTF-8 instead; `document.encoding` then changes to say so.
std::string renderPrefs(PrefsDocument& document);

// Group and key names compare without regard to ASCII letter case.
bool namesEqual(std::string_view a, std::string_view b);

// Whether a name or value, once written, reads back as itself and leaves the
// lines around it alone.
bool isWritableGroupName(std::string_view name);
bool isWritableKeyName(std::string_view name);
bool isWritableValue(std::string_view value);

}  // namespace tonlira
