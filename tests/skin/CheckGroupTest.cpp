#include "framework/TCanvas.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiForm.h"

#include <QPointer>
#include <QTest>
#include <QWidget>
#include <functional>
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
    const int textWidth = MeasureTextWidth(group->Font(), group->Caption());
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
    EXPECT_EQ(group->BorderColor(), GetThemeColor(WinXP, teControlBorderColor));
    EXPECT_EQ(group->Font().Color, GetThemeColor(WinXP, teGroupFontColor));
    EXPECT_EQ(group->Color(), GetThemeColor(WinXP, teControlColor));

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
    EXPECT_EQ(box->BorderColor(), GetThemeColor(WinXP, teControlBorderColor));
    EXPECT_EQ(box->Font().Color, GetThemeColor(WinXP, teGroupFontColor));
    EXPECT_TRUE(box->Transparent());
    auto* button = new TsuiButton(box);
    button->SetUIStyle(WinXP);
    SubContainerApplyUIStyle(form, BlueGlass);
    EXPECT_EQ(button->UIStyle(), BlueGlass);
    EXPECT_EQ(box->GetClient(), Rect(3, box->Font().PixelHeight(), 183, 103));
}

namespace {

struct Layout
{
    int count, columns, width, height, topMargin;
    std::vector<QPoint> places;
};

class CheckGroupLayout : public ::testing::TestWithParam<Layout>
{
};

} // namespace

TEST_P(CheckGroupLayout, ColumnsFillTopToBottom)
{
    const Layout& p = GetParam();
    QWidget window;
    auto* group = new TsuiCheckGroup(&window);
    ASSERT_EQ(group->Font().PixelHeight(), 12);
    group->SetBounds(0, 0, p.width, p.height);
    group->SetTopMargin(p.topMargin);
    group->SetColumns(p.columns);
    QStringList items;
    for (int i = 0; i < p.count; ++i)
        items << QStringLiteral("Item %1").arg(i);
    group->SetItems(items);
    ASSERT_EQ(group->ButtonCount(), p.count);
    for (int i = 0; i < p.count; ++i)
        EXPECT_EQ(group->Button(i)->pos(), p.places[std::size_t(i)]) << "button " << i;
}

// The room inside the frame starts 12 pixels down (the font) plus the top
// margin and ends 2 above the bottom.
INSTANTIATE_TEST_SUITE_P(
    Arithmetic, CheckGroupLayout,
    ::testing::Values(
        // 3 rows in 83 pixels: 27 apart, the 2 left over split above and below.
        Layout{5, 2, 185, 105, 8, {{8, 21}, {8, 48}, {8, 75}, {95, 21}, {95, 48}}},
        // avail 100 and 101 over 3 rows.
        Layout{3, 1, 185, 122, 8, {{8, 20}, {8, 53}, {8, 86}}},
        Layout{3, 1, 185, 123, 8, {{8, 21}, {8, 54}, {8, 87}}},
        Layout{7, 3, 250, 122, 0, {{8, 12}, {8, 48}, {8, 84}, {88, 12}, {88, 48}, {88, 84}, {168, 12}}},
        // No columns lays the buttons out as one.
        Layout{2, 0, 185, 105, 8, {{8, 20}, {8, 61}}}));

TEST(CheckGroup, ItemsMakeAndRenameButtonsAndClicksReachTheGroup)
{
    QWidget window;
    auto* group = new TsuiCheckGroup(&window);
    auto* command = new TsuiButton(group);
    command->SetBounds(23, 27, 84, 25);
    group->SetItems({"a", "b", "c", "d"});
    QPointer<TsuiCheckBox> third = group->Button(2);
    QPointer<TsuiCheckBox> fourth = group->Button(3);
    group->SetChecked(0, true);
    group->SetItems({"x", "y"});
    EXPECT_TRUE(third.isNull());
    EXPECT_TRUE(fourth.isNull());
    EXPECT_EQ(group->Button(0)->Caption(), QStringLiteral("x"));
    EXPECT_TRUE(group->Checked(0)) << "kept buttons keep their state";
    EXPECT_FALSE(group->Checked(7));
    group->SetChecked(7, true); // ignored
    group->SetColumns(-1);
    EXPECT_EQ(group->Columns(), 1);
    group->resize(300, 200);
    EXPECT_EQ(command->pos(), QPoint(23, 27)) << "other children keep their places";

    std::vector<QObject*> senders;
    group->OnClick = [&](QObject* sender) { senders.push_back(sender); };
    QTest::mouseClick(group->Button(1), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(group->Checked(1));
    EXPECT_EQ(senders, std::vector<QObject*>({group}));

    group->SetUIStyle(MacOS);
    EXPECT_EQ(group->Button(1)->UIStyle(), MacOS);
    group->SetTransparent(true);
    EXPECT_TRUE(group->Button(0)->Transparent());
}

TEST(RadioGroup, ItemIndexRules)
{
    QWidget window;
    auto* group = new TsuiRadioGroup(&window);
    EXPECT_EQ(group->Caption(), QStringLiteral("suiRadioGroup"));
    group->SetItems({"one", "two", "three"});
    EXPECT_EQ(group->ItemIndex(), -1);
    const struct
    {
        int set, expected;
    } steps[] = {{1, 1}, {5, 1}, {-2, 1}, {2, 2}, {-1, -1}, {0, 0}};
    for (const auto& step : steps) {
        group->SetItemIndex(step.set);
        EXPECT_EQ(group->ItemIndex(), step.expected) << step.set;
    }
    EXPECT_FALSE(group->Checked(2)) << "checking one unchecks the others";
    QTest::mouseClick(group->Button(2), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(group->ItemIndex(), 2);
}

TEST(GroupBox, EnablingTheBoxSetsEveryChildToTheSameValue)
{
    QWidget window;
    const std::function<TsuiCustomGroupBox*()> makers[] = {[&] { return new TsuiGroupBox(&window); },
                                                           [&] { return new TsuiCheckGroup(&window); }};
    for (const auto& make : makers) {
        TsuiCustomGroupBox* box = make();
        auto* button = new TsuiButton(box);
        auto* plain = new QWidget(box);
        button->SetEnabled(false);
        plain->setEnabled(false);
        box->SetEnabled(true);
        EXPECT_TRUE(button->Enabled()) << box->metaObject()->className();
        EXPECT_TRUE(plain->isEnabled());
        box->SetEnabled(false);
        button->setParent(&window);
        EXPECT_FALSE(button->Enabled()) << "its own flag, not only the box's";
    }
}
