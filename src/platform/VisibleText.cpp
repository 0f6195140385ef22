#include "platform/VisibleText.h"

#include <QString>

#include <algorithm>

namespace tonlira {
namespace {

constexpr char16_t firstPrintable = 0x20;
constexpr char16_t deleteCharacter = 0x7F;
constexpr char16_t lastC1Control = 0x9F;
constexpr char16_t controlPictures = 0x2400;
constexpr char16_t deletePicture = 0x2421;
constexpr char16_t replacementCharacter = 0xFFFD;

bool plainAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= firstPrintable && byte < deleteCharacter;
    });
}

}  // namespace

std::string visibleText(std::string_view text) {
    if (plainAscii(text)) {
        return std::string(text);
    }
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : shown) {
        const char16_t code = c.unicode();
        if (code < firstPrintable) {
            c = QChar(static_cast<char16_t>(controlPictures + code));
        } else if (code == deleteCharacter) {
            c = QChar(deletePicture);
        } else if (code > deleteCharacter && code <= lastC1Control) {
            c = QChar(replacementCharacter);
        }
    }
    return shown.toStdString();
}

}  // namespace tonlira
