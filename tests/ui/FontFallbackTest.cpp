// File names in any script show as letters, not boxes: where the player's
// fonts lack a glyph (CJK, emoji), fontconfig's fallback finds it in the
// fonts scripts/install-deps.sh installs, in the title display and in the
// lists.

#include "ui/Fonts.h"
#include "ui/PlayerWindow.h"

#include <QRawFont>
#include <QTextLayout>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

// How many glyphs of `text` in `font` are "no glyph" (index 0), and the
// families it draws the rest in.
struct Drawn {
    int missing = 0;
    QStringList families;
};

Drawn draw(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    Drawn drawn;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        drawn.missing += static_cast<int>(glyphs.count(0U));
        drawn.families += run.rawFont().familyName();
    }
    return drawn;
}

TEST(FontFallbackTest, CjkAndEmojiFileNamesFindTheirGlyphs) {
    const QString name = QStringLiteral("Lied 雨の歌 안녕 🎵😀.mp3");
    PlayerLook look;
    SkinImages skin = loadSkinImages();
    PlayerWindow window(look, skin);
    for (const QFont& font : {displayFont(), window.playlistView()->font(), window.libraryTree()->font()}) {
        const Drawn drawn = draw(name, font);
        EXPECT_EQ(drawn.missing, 0) << "in " << drawn.families.join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(drawn.families.contains(QStringLiteral("Noto Color Emoji")))
            << drawn.families.join(QStringLiteral(", ")).toStdString();
    }
}

}  // namespace
}  // namespace tonlira::test
