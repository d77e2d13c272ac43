#include "framework/TCanvas.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiForm.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The main window's button panel: Protein, black border, parent colour.
struct Panel : ::testing::Test
{
    QWidget window;
    TsuiForm* form = new TsuiForm(&window);
    TsuiCheckGroup* group = nullptr;

    void SetUp() override
    {
        window.resize(496, 354);
        form->SetUIStyle(Protein);
        form->SetColor(RGB(251, 251, 251));
        group = new TsuiCheckGroup(form);
        group->SetBounds(8, 40, 131, 249);
        group->SetCaption(QStringLiteral("程序面板"));
        group->SetUIStyle(Protein);
        group->SetBorderColor(clBlack);
        TFont font;
        font.Name = QStringLiteral("MS Sans Serif");
        font.Size = 8;
        font.Color = clBlack;
        group->SetFont(font);
        group->SetParentColor(true);
    }
};

} // namespace

TEST_F(Panel, FrameIsBrokenByTheCaption)
{
    const QImage image = group->PaintToImage();
    const int top = 11 / 2 + 1; // half the font height, plus one
    EXPECT_EQ(FromQRgb(image.pixel(0, top)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(0, 200)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(130, 200)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(60, 248)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(1, top)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(125, top)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(60, 100)), RGB(251, 251, 251)) << "the face follows the parent";
    // The caption's gap: the top edge is open from x = 3 to 6 + the text width
    // (a line leaves out its end point), but for the caption's own strokes.
    QImage scratch(1, 1, QImage::Format_ARGB32);
    TCanvas canvas(scratch);
    canvas.Font = group->Font();
    const int textWidth = canvas.TextWidth(group->Caption());
    ASSERT_GT(textWidth, 20);
    EXPECT_NE(FromQRgb(image.pixel(3, top)), clBlack);
    EXPECT_NE(FromQRgb(image.pixel(4, top)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(2, top)), clBlack);
    EXPECT_EQ(FromQRgb(image.pixel(7 + textWidth, top)), clBlack);
    EXPECT_NE(FromQRgb(image.pixel(6 + textWidth, top)), clBlack);
}

TEST_F(Panel, EmptyCaptionClosesTheFrame)
{
    group->SetCaption(QString());
    const QImage image = group->PaintToImage();
    for (int x = 0; x < 131; ++x)
        ASSERT_EQ(FromQRgb(image.pixel(x, 6)), clBlack) << x;
}

TEST_F(Panel, DisabledGroupGreysItsCaptionAndDisablesItsButtons)
{
    auto* button = new TsuiButton(group);
    button->SetBounds(23, 27, 84, 25);
    const auto count = [](const QImage& image, TColor color) {
        int n = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 5; x < 100; ++x)
                n += FromQRgb(image.pixel(x, y)) == color;
        return n;
    };
    const QImage enabled = group->PaintToImage();
    group->SetEnabled(false);
    const QImage disabled = group->PaintToImage();
    EXPECT_EQ(count(disabled, clGray),
              count(enabled, clBlack) - count(disabled, clBlack) + count(enabled, clGray));
    EXPECT_GT(count(disabled, clGray), 10);
    EXPECT_FALSE(button->isEnabled());
}

TEST_F(Panel, StyleSetsBorderCaptionAndFaceColours)
{
    EXPECT_EQ(group->UIStyle(), Protein);
    group->SetParentColor(false);
    group->SetUIStyle(WinXP);
    EXPECT_EQ(group->BorderColor(), GetThemeColor(WinXP, 8));
    EXPECT_EQ(group->Font().Color, GetThemeColor(WinXP, 10));
    EXPECT_EQ(group->Color(), GetThemeColor(WinXP, 9));

    // A frame pushing its style reaches the group, which leaves its
    // children's look alone.
    auto* button = new TsuiButton(group);
    button->SetUIStyle(WinXP);
    form->SetUIStyleAutoUpdateSub(true);
    form->SetUIStyle(MacOS);
    EXPECT_EQ(group->UIStyle(), MacOS);
    EXPECT_EQ(button->UIStyle(), WinXP);
}

TEST(GroupBox, StartsInTheFormStyleAndIsAContainer)
{
    QWidget window;
    auto* form = new TsuiForm(&window);
    form->SetUIStyle(WinXP);
    auto* box = new TsuiGroupBox(form);
    EXPECT_EQ(box->BorderColor(), GetThemeColor(WinXP, 8));
    EXPECT_EQ(box->Font().Color, GetThemeColor(WinXP, 10));
    EXPECT_TRUE(box->Transparent());
    auto* button = new TsuiButton(box);
    button->SetUIStyle(WinXP);
    SubContainerApplyUIStyle(form, BlueGlass);
    EXPECT_EQ(button->UIStyle(), BlueGlass);
    EXPECT_EQ(box->GetClient(), Rect(3, box->Font().PixelHeight(), 183, 103));
}
