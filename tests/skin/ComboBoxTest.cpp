#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "skin/SuiComboBox.h"
#include "skin/SuiStyleRules.h"
#include "tests/support/PixelHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QImage Picture(TsuiCustomComboBox& combo)
{
    return combo.ComboBox()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The 9 x 6 area around an arrow at (x, y): '#' arrow colour, 'w' white, '.' other.
std::string ArrowArea(const QImage& image, int x, int y, TColor arrow)
{
    std::string out;
    for (int row = 0; row < 6; ++row) {
        if (row > 0)
            out += '|';
        for (int col = 0; col < 9; ++col) {
            const TColor c = PixelAt(image, x + col, y + row);
            out += c == arrow ? '#' : c == clWhite ? 'w' : '.';
        }
    }
    return out;
}

} // namespace

TEST(ComboBox, LookGivesButtonArrowAndBorderColours)
{
    struct Case
    {
        TsuiUIStyle Style;
        TColor Button, Arrow;
    };
    const Case cases[] = {
        {MacOS, 0xE7E7E7, 0x7F7F7F},   {WinXP, 0xDEEBEF, 0x686868},     {DeepBlue, 0xE8E8E8, 0x000000},
        {Protein, 0xFBFBFB, 0x000000}, {BlueGlass, 0xE9D6D5, 0x000000}, {Custom, 0, 0},
    };
    TsuiComboBox combo;
    combo.SetButtonColor(0x123456);
    for (const Case& c : cases) {
        combo.SetUIStyle(c.Style);
        EXPECT_EQ(combo.ButtonColor(), c.Button) << int(c.Style);
        EXPECT_EQ(combo.ArrowColor(), c.Arrow) << int(c.Style);
        EXPECT_EQ(combo.BorderColor(), c.Arrow) << int(c.Style);
    }
    // Every combo family is restyled by a container whatever its current look.
    QWidget form;
    auto* child = new TsuiComboBox(&form);
    child->SetUIStyle(Custom);
    ContainerApplyUIStyle(&form, WinXP);
    EXPECT_EQ(child->UIStyle(), WinXP);
}

TEST(ComboBox, PaintsFrameButtonAndArrow)
{
    struct Case
    {
        TsuiUIStyle Style;
        bool Enabled;
        const char* Arrow;
    };
    // Enabled: the solid triangle. Disabled: grey over a white copy one pixel lower-right.
    const Case cases[] = {
        {WinXP, true, "#######..|.#####...|..###....|...#.....|.........|........."},
        {Protein, true, "#######..|.#####...|..###....|...#.....|.........|........."},
        {WinXP, false, "#######..|.#####ww.|..###ww..|...#ww...|....w....|........."},
        {MacOS, false, "#######..|.#####ww.|..###ww..|...#ww...|....w....|........."},
    };
    for (const Case& c : cases) {
        TsuiComboBox combo;
        combo.resize(145, 21);
        combo.SetUIStyle(c.Style);
        combo.SetColor(0x00F0E0D0);
        combo.SetEnabled(c.Enabled);
        const QImage image = Picture(combo);
        const TRect button = combo.ButtonRect();
        ASSERT_FALSE(button.IsEmpty());
        const int x = button.Left + button.Width() / 2 - 4;
        const int y = button.Height() / 2;
        const TColor ink = c.Enabled ? combo.ArrowColor() : 0x808080;
        EXPECT_EQ(ArrowArea(image, x, y, ink), c.Arrow) << int(c.Style);

        // The frame: border colour outside, the face colour one pixel in.
        EXPECT_EQ(PixelAt(image, 0, 0), combo.BorderColor());
        EXPECT_EQ(PixelAt(image, 144, 20), combo.BorderColor());
        EXPECT_EQ(PixelAt(image, 1, 10), 0x00F0E0D0u);

        // The button below the arrow: the look's colour, or the stretched MacOS bitmap.
        const int px = button.Left + 2, py = button.Bottom - 3;
        if (c.Style == MacOS) {
            const TBitmap& bitmap = SkinBitmap(QStringLiteral("MACOS_COMBOBOX_BUTTON"));
            const QImage stretched = StretchImage(bitmap.Image(), Rect(0, 0, bitmap.Width(), bitmap.Height()),
                                                  button.Width(), button.Height());
            EXPECT_EQ(PixelAt(image, px, py), PixelAt(stretched, px - button.Left, py - button.Top));
        } else {
            EXPECT_EQ(PixelAt(image, px, py), combo.ButtonColor());
        }
    }
}

TEST(ComboBox, ChoosingWithTheKeyboardSelectsAndReports)
{
    QWidget window;
    auto* combo = new TsuiComboBox(&window);
    combo->SetComboStyle(csDropDownList);
    combo->SetItems({QStringLiteral("one"), QStringLiteral("Two"), QStringLiteral("three")});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    combo->setFocus();

    int clicks = 0, changes = 0, selects = 0;
    combo->OnClick = [&](QObject*) { ++clicks; };
    combo->OnChange = [&](QObject*) { ++changes; };
    combo->SetItemIndex(0);
    EXPECT_EQ(clicks + changes, 0) << "setting the index is not a choice";

    QTest::keyClick(combo->ComboBox(), Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Two"));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1) << "without OnSelect a choice is a change";

    combo->OnSelect = [&](QObject*) { ++selects; };
    QTest::keyClick(combo->ComboBox(), Qt::Key_Down);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(changes, 1);

    // A key handler can swallow the key before the list moves.
    combo->OnKeyDown = [](QObject*, int& key, Qt::KeyboardModifiers) { key = 0; };
    QTest::keyClick(combo->ComboBox(), Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 2);

    // Typed characters reach OnKeyPress before the list searches them.
    combo->OnKeyDown = nullptr;
    QString typed;
    combo->OnKeyPress = [&](QObject*, QChar& key) {
        typed += key;
        if (key == QLatin1Char('o'))
            key = QChar();
    };
    QTest::keyClick(combo->ComboBox(), Qt::Key_O);
    EXPECT_EQ(combo->ItemIndex(), 2) << "a swallowed character searches nothing";
    QTest::keyClick(combo->ComboBox(), Qt::Key_T);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(typed, QStringLiteral("ot"));

    // The edit field of an editable box passes its keys through the same events.
    combo->SetComboStyle(csDropDown);
    combo->SetText(QString());
    QTest::keyClicks(combo->ComboBox()->lineEdit(), QStringLiteral("bob"));
    EXPECT_EQ(combo->Text(), QStringLiteral("bb"));
    EXPECT_EQ(typed, QStringLiteral("otbob"));
    combo->SetComboStyle(csDropDownList);

    // The list styles select by text ignoring case; unknown text selects nothing.
    combo->SetText(QStringLiteral("two"));
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetText(QStringLiteral("four"));
    EXPECT_EQ(combo->ItemIndex(), -1);
}
