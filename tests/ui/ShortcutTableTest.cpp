// Keys as codes: the virtual-key table against Qt's keys, and the player
// window's shortcut table with keys delivered as the window system does.

#include "ui/ShortcutTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

ShortcutCode codeOfPress(int key, Qt::KeyboardModifiers modifiers) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers);
    return shortcutCodeOf(event).value_or(0xDEAD);
}

Qt::KeyboardModifiers qtModifiers(ShortcutCode code, bool keypad) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, hasShift(code));
    modifiers.setFlag(Qt::ControlModifier, hasControl(code));
    modifiers.setFlag(Qt::AltModifier, hasAlt(code));
    modifiers.setFlag(Qt::KeypadModifier, keypad);
    return modifiers;
}

TEST(VirtualKeyTest, EveryNamedKeyAndEveryTableRowRoundTrips) {
    int named = 0;
    for (ShortcutCode key = 1; key <= 0xFF; ++key) {
        if (shortcutName(key).empty()) {
            continue;
        }
        ++named;
        const auto qt = qtKeyFor(static_cast<VirtualKey>(key));
        ASSERT_TRUE(qt) << shortcutName(key) << " has no Qt key";
        for (const ShortcutCode modifiers : {0x00000U, 0x20000U, 0x10000U, 0x40000U, 0x70000U}) {
            EXPECT_EQ(codeOfPress(qt->key, qtModifiers(modifiers, qt->keypad)), key | modifiers)
                << shortcutName(key | modifiers);
        }
    }
    EXPECT_EQ(named, 10 + 26 + 10 + 24 + 20);

    for (const VirtualKeyRow& row : virtualKeyRows()) {
        EXPECT_EQ(virtualKeyFor(row.qt.key, row.qt.keypad), row.code) << std::hex << row.code;
        ASSERT_TRUE(qtKeyFor(row.code));
        EXPECT_EQ(qtKeyFor(row.code)->key, row.qt.key) << std::hex << row.code;
    }
}

TEST(VirtualKeyTest, KeysAsAUsLayoutAndTheKeypadReportThem) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        ShortcutCode code;
    };
    const Case cases[] = {
        {Qt::Key_Exclam, Qt::ShiftModifier, 0x10031},      // Shift+1
        {Qt::Key_ParenRight, Qt::ShiftModifier, 0x10030},  // Shift+0
        {Qt::Key_Asterisk, Qt::ShiftModifier, 0x10038},    // Shift+8
        {Qt::Key_Question, Qt::ShiftModifier | Qt::ControlModifier, 0x300BF},
        {Qt::Key_Colon, Qt::ShiftModifier, 0x100BA},
        {Qt::Key_Minus, Qt::NoModifier, 0xBD},
        {Qt::Key_Minus, Qt::KeypadModifier, 0x6D},
        {Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
        {Qt::Key_Plus, Qt::ShiftModifier, 0x100BB},  // Shift+=
        {Qt::Key_Period, Qt::KeypadModifier, 0x6E},
        {Qt::Key_Comma, Qt::KeypadModifier, 0x6E},  // a decimal comma
        {Qt::Key_7, Qt::KeypadModifier | Qt::AltModifier, 0x40067},
        {Qt::Key_Home, Qt::KeypadModifier, 0x24},  // keypad without Num Lock
        {Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
        {Qt::Key_Return, Qt::ControlModifier, 0x2000D},
        {Qt::Key_Backtab, Qt::ShiftModifier, 0x10009},  // Shift+Tab
        {Qt::Key_PageUp, Qt::ControlModifier, 0x20021},
        {Qt::Key_Backspace, Qt::NoModifier, 0x08},
        {Qt::Key_P, Qt::ControlModifier | Qt::MetaModifier, 0x20050},  // the logo key is no modifier here
        // No virtual key: modifiers alone, keys beyond the table.
        {Qt::Key_Control, Qt::ControlModifier, 0xDEAD},
        {Qt::Key_Adiaeresis, Qt::NoModifier, 0xDEAD},
        {Qt::Key_Menu, Qt::NoModifier, 0xDEAD},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codeOfPress(c.key, c.modifiers), c.code) << std::hex << c.key;
    }
    for (const int unknown : {0x00, 0x07, 0x2C, 0x5B, 0x88, 0xE2, 0xFFFF}) {
        EXPECT_FALSE(qtKeyFor(static_cast<VirtualKey>(unknown))) << std::hex << unknown;
    }
}

TEST(VirtualKeyTest, APhysicalKeyIsItsKeyOnAGermanLayoutWhateverShiftMakesOfIt) {
    // Key codes and unshifted symbols of X's German layout.
    struct Case {
        PressedKey key;
        std::optional<VirtualKey> code;
    };
    const Case cases[] = {
        {{Qt::Key_ParenLeft, false, 17, XK_8}, 0x38},            // Shift+8 types "("
        {{Qt::Key_Equal, false, 19, XK_0}, 0x30},                // Shift+0 types "="
        {{Qt::Key_section, false, 12, XK_3}, 0x33},              // Shift+3 types "§"
        {{Qt::Key_NumberSign, false, 51, XK_numbersign}, 0xBF},  // "#" is no "3"
        {{Qt::Key_Apostrophe, false, 51, XK_numbersign}, 0xBF},  // Shift+"#"
        {{Qt::Key_Less, false, 94, XK_less}, 0xE2},              // "<" is no ","
        {{Qt::Key_At, false, 24, XK_q}, 0x51},                   // AltGr+Q types "@"
        {{Qt::Key_Z, false, 29, XK_z}, 0x5A},                    // the base letter
        {{Qt::Key_Adiaeresis, false, 48, XK_adiaeresis}, 0xDE},
        {{Qt::Key_Plus, false, 35, XK_plus}, 0xBB},
        {{Qt::Key_F5, false, 71, XK_F5}, 0x74},
        {{Qt::Key_Return, false, 36, XK_Return}, 0x0D},
        {{Qt::Key_Backtab, false, 23, XK_Tab}, 0x09},
        {{Qt::Key_8, true, 80, XK_KP_Up}, 0x68},  // the keypad stays the keypad
        {{Qt::Key_Udiaeresis, false, 34, XK_udiaeresis}, 0xBA},
        {{Qt::Key_Dead_Acute, false, 21, XK_dead_acute}, 0xDD},
        {{Qt::Key_mu, false, 58, XK_m}, 0x4D},                // AltGr+M types "µ"
        {{0x0436, false, 47, 0x6c6}, std::nullopt},           // a Cyrillic letter: no key here
        {{Qt::Key_ParenLeft, false, 0, std::nullopt}, 0x39},  // no keyboard map: Qt's key as on a US layout
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyOf(c.key), c.code) << c.key.keycode;
    }
}

class ShortcutKeysTest : public ::testing::Test {
protected:
    ShortcutKeysTest() {
        auto* layout = new QVBoxLayout(&window);
        list = new QTreeWidget(&window);
        layout->addWidget(list);
        for (const char* title : {"Anfang", "Bach", "Chopin"}) {
            new QTreeWidgetItem(list, {QString::fromUtf8(title)});
        }
        list->setCurrentItem(list->topLevelItem(0));
        QObject::connect(&table, &ShortcutTable::eventRaised, [this](const Event& e) { raised.push_back(e); });
        window.show();
        activate(&window);
        list->setFocus();
    }
    static void activate(QWidget* widget) {
        QApplication::setActiveWindow(widget);
        widget->activateWindow();
    }
    void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(target->window()->windowHandle(), key, modifiers);
    }
    std::vector<MenuId> menus() const {
        std::vector<MenuId> ids;
        for (const Event& e : raised) {
            EXPECT_EQ(e.kind, EventKind::Menu);
            ids.push_back(static_cast<MenuId>(e.source));
        }
        return ids;
    }

    QWidget window;
    QTreeWidget* list = nullptr;
    ShortcutTable table{&window};
    std::vector<Event> raised;
};

TEST_F(ShortcutKeysTest, AShortcutRaisesItsMenuEventBeforeTheFocusedListSeesTheKey) {
    table.add(0x20050, MenuId::PlayPause);      // Control+P
    table.add(0x42, MenuId::Next);              // B, which the list would take to find "Bach"
    table.add(0x1002E, MenuId::ClearPlaylist);  // Shift+Delete
    press(list, Qt::Key_P, Qt::ControlModifier);
    press(list, Qt::Key_B);
    press(list, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(menus(), (std::vector<MenuId>{MenuId::PlayPause, MenuId::Next, MenuId::ClearPlaylist}));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0)) << "the list never saw B";

    raised.clear();
    press(list, Qt::Key_C);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(2)) << "unbound keys reach the list";
    press(list, Qt::Key_P);  // without Control
    press(list, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(raised.empty());
}

TEST_F(ShortcutKeysTest, ShortcutsActOnlyWhileTheirWindowIsActive) {
    table.add(0x20050, MenuId::PlayPause);
    QWidget other;
    other.show();
    activate(&other);
    press(&other, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(raised.empty()) << "another window of the program is active";

    activate(&window);
    press(list, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(raised.size(), 1U);
}

}  // namespace
}  // namespace tonlira::test
