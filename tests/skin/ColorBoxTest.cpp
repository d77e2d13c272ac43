#include "framework/TCanvas.h"
#include "skin/SuiColorBox.h"
#include "tests/support/PixelHelpers.h"
#include "tests/support/TDialogRecorder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr TColorBoxStyle kDefaultStyle = cbStandardColors | cbExtendedColors | cbSystemColors;

struct ExposedColorBox : TsuiColorBox
{
    using TsuiColorBox::DrawItem;
    using TsuiColorBox::TsuiColorBox;
};

// Checks the entries of the list; empty expected strings are not checked.
struct ListCase
{
    TColorBoxStyle Style;
    int Count;
    const char* First;
    const char* Last;
    bool Enabled;
};

} // namespace

TEST(ColorBox, StyleChoosesTheEntriesInTableOrder)
{
    const ListCase cases[] = {
        {kDefaultStyle, 50, "clBlack", "clWindowText", true},
        {cbStandardColors, 16, "clBlack", "clWhite", true},
        {cbExtendedColors | cbPrettyNames, 4, "Money Green", "Med Gray", true},
        {cbSystemColors, 30, "clActiveBorder", "clWindowText", true},
        {cbSystemColors | cbIncludeNone | cbIncludeDefault, 32, "clActiveBorder", "clWindowText", true},
        // The no-colour entry lies in the system range and goes with it.
        {cbStandardColors | cbIncludeNone, 16, "clBlack", "clWhite", true},
        {cbExtendedColors | cbCustomColor | cbPrettyNames, 5, "Custom...", "Med Gray", true},
        {cbCustomColor, 1, "Custom...", "Custom...", true},
        {cbIncludeNone, 0, "", "", false},
        {cbIncludeDefault | cbPrettyNames, 0, "", "", false},
    };
    for (const ListCase& c : cases) {
        TsuiColorBox box;
        box.SetStyle(c.Style);
        SCOPED_TRACE(int(c.Style));
        ASSERT_EQ(box.ItemCount(), c.Count);
        EXPECT_EQ(box.Enabled(), c.Enabled);
        if (c.Count == 0)
            continue;
        EXPECT_EQ(box.GetColorName(0), QLatin1String(c.First));
        EXPECT_EQ(box.GetColorName(c.Count - 1), QLatin1String(c.Last));
        EXPECT_EQ(box.ItemIndex(), 0) << "a refilled list selects its first entry";
        for (int i = 0; i < box.ItemCount(); ++i) {
            const bool special = box.GetColor(i) == clNone || box.GetColor(i) == clDefault;
            EXPECT_FALSE(special && !(c.Style & (cbIncludeNone | cbIncludeDefault))) << i;
        }
    }

    TsuiColorBox box;
    EXPECT_EQ(box.Style(), kDefaultStyle);
    EXPECT_EQ(box.GetColorName(17), QStringLiteral("clSkyBlue"));
    EXPECT_EQ(box.GetColor(17), 0xF0CAA6u);
    box.SetStyle(kDefaultStyle | cbPrettyNames | cbIncludeNone | cbIncludeDefault);
    const QStringList items = box.Items();
    for (const char* name : {"Sky Blue", "Money Green", "Btn Face", "3 D Dk Shadow", "None", "Default"})
        EXPECT_TRUE(items.contains(QLatin1String(name))) << name;
}

TEST(ColorBox, SelectedFollowsTheListAndTheCustomEntry)
{
    TsuiColorBox box;
    EXPECT_EQ(box.Selected(), clBlack) << "black is selected from the start";
    box.SetSelected(clRed);
    EXPECT_EQ(box.ItemIndex(), 9);
    box.SetSelected(0x123456);
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(box.Selected(), clNothingSelected);

    box.SetStyle(kDefaultStyle | cbCustomColor);
    box.SetSelected(0x123456);
    EXPECT_EQ(box.ItemIndex(), 0);
    EXPECT_EQ(box.Text(), QStringLiteral("Custom..."));
    EXPECT_EQ(box.Selected(), 0x123456u);
    // A refill keeps both the custom colour and the selection.
    box.SetStyle(kDefaultStyle | cbCustomColor | cbPrettyNames);
    EXPECT_EQ(box.GetColor(0), 0x123456u);
    EXPECT_EQ(box.ItemIndex(), 0);
    box.SetSelected(clNothingSelected);
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(box.GetColor(0), 0x123456u);
}

TEST(ColorBox, SwatchIsFramedByItsLightness)
{
    struct Case
    {
        TColor Color;
        bool Selected;
        TColor Fill, Frame;
    };
    const Case cases[] = {
        {clWhite, false, clWhite, clBlack},      {clNavy, true, clNavy, clWhite},
        {clNavy, false, clNavy, clNavy},         {clSilver, true, clSilver, clWhite}, // 192 is not light
        {clDefault, false, clYellow, clBlack},   {clNone, true, clMaroon, clWhite},
        {clBtnFace, false, 0x00C8D0D4, clBlack}, // 212 > 192 in red
    };
    ExposedColorBox box;
    box.SetStyle(kDefaultStyle | cbIncludeNone | cbIncludeDefault);
    box.SetDefaultColorColor(clYellow);
    box.SetNoneColorColor(clMaroon);
    for (const Case& c : cases) {
        int index = -1;
        for (int i = 0; i < box.ItemCount(); ++i)
            if (box.GetColor(i) == c.Color)
                index = i;
        ASSERT_GE(index, 0);
        QImage image = FilledImage(120, 16, clBlack);
        TCanvas canvas(image);
        canvas.Brush = {0x00102030, bsSolid};
        box.DrawItem(canvas, index, Rect(0, 0, 120, 16), c.Selected ? TOwnerDrawState(odSelected) : 0u);
        SCOPED_TRACE(c.Color);
        EXPECT_EQ(PixelAt(image, 0, 0), 0x00102030u) << "the item is filled with the brush";
        EXPECT_EQ(PixelAt(image, 15, 15), 0x00102030u) << "the swatch is one pixel inside the square";
        EXPECT_EQ(PixelAt(image, 1, 1), c.Frame);
        EXPECT_EQ(PixelAt(image, 14, 14), c.Frame);
        EXPECT_EQ(PixelAt(image, 2, 2), c.Fill);
        EXPECT_EQ(PixelAt(image, 13, 8), c.Fill);
        EXPECT_EQ(canvas.Brush.Color, 0x00102030u) << "the brush comes back";
    }
}

TEST(ColorBox, CustomEntryPicksThroughTheColourDialog)
{
    TDialogRecorder dialogs;
    QWidget window;
    auto* box = new TsuiColorBox(&window);
    box->SetStyle(kDefaultStyle | cbCustomColor);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    int changes = 0;
    box->OnChange = [&](QObject*) { ++changes; };

    // Choosing the custom entry from the list asks; cancelling reports nothing.
    const auto chooseFromList = [&](int index) {
        box->SetDroppedDown(true);
        QAbstractItemView* view = box->ComboBox()->view();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    };
    box->SetItemIndex(3);
    chooseFromList(0);
    ASSERT_EQ(dialogs.Entries().size(), 1u);
    EXPECT_EQ(dialogs.Entries()[0].Type, TDialogRecorder::Kind::ColorPick);
    EXPECT_EQ(dialogs.Entries()[0].Text, QStringLiteral("00000000\nColorA=00000000"));
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(box->DroppedDown());

    dialogs.AnswerColorPicks({true, 0x00336699});
    chooseFromList(0);
    EXPECT_EQ(dialogs.Entries().size(), 2u);
    EXPECT_EQ(box->GetColor(0), 0x00336699u);
    EXPECT_EQ(box->Selected(), 0x00336699u);
    EXPECT_EQ(changes, 1);

    // An ordinary entry from the list opens nothing.
    chooseFromList(5);
    EXPECT_EQ(dialogs.Entries().size(), 2u);
    EXPECT_EQ(box->Selected(), clNavy);
    EXPECT_EQ(changes, 2);

    // Moving onto the custom entry with the keys opens nothing, even right after the list closed.
    box->SetDroppedDown(true);
    box->SetDroppedDown(false);
    box->SetItemIndex(1);
    QTest::keyClick(box->ComboBox(), Qt::Key_Up);
    EXPECT_EQ(box->ItemIndex(), 0);
    EXPECT_EQ(dialogs.Entries().size(), 2u);
    EXPECT_EQ(changes, 3);

    // Enter on the custom entry asks, starting from its colour.
    dialogs.AnswerColorPicks({false, clBlack});
    QTest::keyClick(box->ComboBox(), Qt::Key_Return);
    ASSERT_EQ(dialogs.Entries().size(), 3u);
    EXPECT_EQ(dialogs.Entries()[2].Text, QStringLiteral("00336699\nColorA=00336699"));
    EXPECT_EQ(box->GetColor(0), 0x00336699u);
    // Enter elsewhere does not.
    box->SetItemIndex(2);
    QTest::keyClick(box->ComboBox(), Qt::Key_Return);
    EXPECT_EQ(dialogs.Entries().size(), 3u);
}

TEST(ColorBox, SelectionFieldShowsTheSelectedColour)
{
    QWidget window;
    auto* box = new TsuiColorBox(&window);
    auto* other = new TsuiColorBox(&window);
    other->move(0, 30);
    box->SetSelected(clTeal);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto field = [&] {
        return box->ComboBox()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    // Swatch square of the field's height, one pixel in, beside the frame.
    other->setFocus();
    const QImage idle = field();
    EXPECT_EQ(PixelAt(idle, 8, 10), clTeal);
    box->setFocus();
    ASSERT_TRUE(box->ComboBox()->hasFocus());
    const QImage focused = field();
    EXPECT_EQ(PixelAt(focused, 8, 10), clTeal);
    EXPECT_EQ(PixelAt(focused, 100, 5), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(idle, 100, 5), ColorToRGB(clWindow));
}
