#include "remote/FileUrl.h"

#include <filesystem>
#include <system_error>

namespace tonlira {
namespace {

constexpr const char* fileScheme = "file://";
constexpr const char* hexDigits = "0123456789ABCDEF";
constexpr unsigned nibbleBits = 4;
constexpr unsigned lowNibble = 0x0F;

bool keptAsIs(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/';
}

}  // namespace

QString fileUrlOf(const std::string& path) {
    // A path from the command line may be relative to the working folder.
    std::error_code ignored;
    const std::string absolute = path.starts_with('/') ? path : std::filesystem::absolute(path, ignored).string();
    std::string url = fileScheme;
    for (const char c : absolute) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            url += c;
        } else {
            url += '%';
            url += hexDigits[byte >> nibbleBits];
            url += hexDigits[byte & lowNibble];
        }
    }
    return QString::fromLatin1(url.data(), static_cast<qsizetype>(url.size()));
}

}  // namespace tonlira
