#include "framework/TCanvas.h"
#include "framework/TControl.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiColorBox.h"
#include "skin/SuiComboBox.h"
#include "skin/SuiEdit.h"
#include "skin/SuiFontComboBox.h"
#include "skin/SuiForm.h"
#include "skin/SuiGrid.h"
#include "skin/SuiListBox.h"
#include "skin/SuiMainMenu.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiSideChannel.h"
#include "skin/SuiToolBar.h"
#include "skin/Suipublic.h"

#include <QGuiApplication>
#include <QMetaClassInfo>
#include <QScreen>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

TBitmap Coded(int w, int h)
{
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.SetPixel(x, y, RGB(x, y, 77));
    return bitmap;
}

// A parent whose every pixel says where it is.
class CodedParent : public TControl
{
public:
    using TControl::TControl;

protected:
    void Paint(TCanvas& canvas) override
    {
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                canvas.SetPixel(x, y, RGB(x, y, 77));
    }
};

class SolidControl : public TControl
{
public:
    using TControl::TControl;
    bool Transparent = false;

protected:
    void Paint(TCanvas& canvas) override
    {
        if (Transparent)
            DoTrans(canvas, this);
        else
            canvas.FillRect(ClientRect());
    }
};

// A parent tiled with a coded 3 x 2 picture, as a skinned form is.
class TiledParent : public TControl
{
public:
    using TControl::TControl;
    TBitmap Tile = Coded(3, 2);

protected:
    void Paint(TCanvas& canvas) override { TileDraw(canvas, Tile, ClientRect()); }
};

} // namespace

TEST(RoundPicture, QuarterTurnsPixelForPixel)
{
    TBitmap ccw = Coded(3, 2);
    RoundPicture(ccw);
    ASSERT_EQ(ccw.Width(), 2);
    ASSERT_EQ(ccw.Height(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(ccw.Pixel(y, 2 - x), RGB(x, y, 77)) << x << "," << y;

    TBitmap cw = Coded(3, 2);
    RoundPicture3(cw);
    ASSERT_EQ(cw.Width(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(cw.Pixel(1 - y, x), RGB(x, y, 77)) << x << "," << y;

    // Counter-clockwise then clockwise is the identity.
    TBitmap both = Coded(4, 3);
    RoundPicture(both);
    RoundPicture3(both);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(both.Pixel(x, y), RGB(x, y, 77));
    TBitmap empty;
    RoundPicture(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(InRect, AllFourEdgesAreInside)
{
    const TRect r = Rect(2, 3, 10, 8);
    EXPECT_TRUE(InRect(2, 3, r));
    EXPECT_TRUE(InRect(10, 8, r));
    EXPECT_TRUE(InRect(TPoint{10, 5}, r));
    EXPECT_TRUE(InRect(TPoint{5, 8}, r));
    EXPECT_FALSE(InRect(11, 5, r));
    EXPECT_FALSE(InRect(5, 9, r));
    EXPECT_FALSE(InRect(1, 5, r));
    EXPECT_FALSE(InRect(5, 2, r));
}

TEST(BitmapRegion, RunsOfNonKeyPixelsWithoutTheLastColumn)
{
    // Row 0: K A A K A  -> [1,3); the last-column A is never included.
    // Row 1: A A A A A  -> [0,4)
    // Row 2: K K K K K  -> nothing
    TBitmap bitmap(5, 3);
    const TColor k = clFuchsia;
    const TColor a = clGreen;
    const TColor rows[3][5] = {{k, a, a, k, a}, {a, a, a, a, a}, {k, k, k, k, k}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, rows[y][x]);
    const QRegion region = BitmapRegion(bitmap, k);
    QRegion expected;
    expected += QRect(1, 0, 2, 1);
    expected += QRect(0, 1, 4, 1);
    EXPECT_EQ(region, expected);

    QWidget window;
    window.resize(5, 3);
    SetBitmapWindow(&window, bitmap, k);
    EXPECT_EQ(window.mask(), expected);
}

TEST(DoTrans, PaintsTheParentBehindTheControl)
{
    CodedParent parent;
    parent.resize(30, 20);
    auto* control = new SolidControl(&parent);
    control->SetBounds(3, 2, 5, 4);
    control->Transparent = true;
    auto* sibling = new SolidControl(&parent);
    sibling->SetBounds(4, 3, 2, 2);
    sibling->SetColor(clRed);

    const QImage image = control->PaintToImage();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(FromQRgb(image.pixel(x, y)), RGB(x + 3, y + 2, 77)) << x << "," << y;

    // Without a parent the canvas keeps what it had.
    SolidControl orphan;
    orphan.resize(2, 2);
    orphan.SetColor(clTeal);
    orphan.Transparent = true;
    EXPECT_EQ(FromQRgb(orphan.PaintToImage().pixel(1, 1)), clTeal);
}

TEST(TileDraw, RepeatsFromTheOriginAndLeavesOutAKeyColour)
{
    struct Case
    {
        QSize canvas;
        TRect rect;
        bool transparent;
    };
    const Case cases[] = {{{10, 7}, Rect(0, 0, 10, 7), false},
                          {{10, 7}, Rect(2, 1, 6, 5), false},
                          {{9, 6}, Rect(0, 0, 9, 6), true}};
    const TColor key = RGB(0, 1, 77); // the tile's bottom-left pixel
    for (const Case& c : cases) {
        QImage image(c.canvas, QImage::Format_ARGB32);
        image.fill(Qt::white);
        TBitmap tile = Coded(3, 2);
        tile.SetTransparent(c.transparent);
        {
            TCanvas canvas(image);
            TileDraw(canvas, tile, c.rect);
        }
        // Copies start at the canvas origin and reach one tile past the rectangle's size.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool covered = x < (c.rect.Width() + 5) / 3 * 3 && y < (c.rect.Height() + 3) / 2 * 2;
                TColor expected = covered ? RGB(x % 3, y % 2, 77) : clWhite;
                if (c.transparent && expected == key)
                    expected = clWhite;
                ASSERT_EQ(FromQRgb(image.pixel(x, y)), expected) << x << "," << y;
            }
    }
}

TEST(DoTrans, NestedControlsSeeTheirAncestorsOnlyWithinEachParent)
{
    TiledParent form;
    form.resize(40, 30);
    auto* panel = new SolidControl(&form);
    panel->SetBounds(5, 3, 20, 15);
    panel->Transparent = true;
    auto* inner = new SolidControl(panel);
    inner->SetBounds(17, 12, 6, 5); // reaches 3 pixels past the panel's right and 2 below it
    inner->SetColor(clRed);
    inner->Transparent = true;

    const QImage image = inner->PaintToImage();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool onPanel = 17 + x < 20 && 12 + y < 15;
            const TColor expected = onPanel ? RGB((5 + 17 + x) % 3, (3 + 12 + y) % 2, 77) : clRed;
            EXPECT_EQ(FromQRgb(image.pixel(x, y)), expected) << x << "," << y;
        }
}

TEST(DrawControlBorder, OuterAndInnerFramesWithSystemColoursResolved)
{
    QImage image(5, 4, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(image);
        DrawControlBorder(canvas, clBtnShadow, clNavy);
    }
    const TColor shadow = RGB(128, 128, 128);
    EXPECT_EQ(FromQRgb(image.pixel(0, 0)), shadow);
    EXPECT_EQ(FromQRgb(image.pixel(4, 3)), shadow);
    EXPECT_EQ(FromQRgb(image.pixel(1, 1)), clNavy);
    EXPECT_EQ(FromQRgb(image.pixel(3, 2)), clNavy);
    EXPECT_EQ(FromQRgb(image.pixel(2, 1)), clNavy);
}

TEST(WindowHelpers, TransparencyPlacementWorkAreaAndStrings)
{
    QWidget parent;
    auto* control = new TControl(&parent);
    SetWinControlTransparent(control);
    EXPECT_FALSE(control->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(control->testAttribute(Qt::WA_NoSystemBackground));

    PlaceControl(control, TPoint{7, 9});
    EXPECT_EQ(control->pos(), QPoint(7, 9));
    PlaceControl(control, Rect(1, 2, 31, 12));
    EXPECT_EQ(control->geometry(), QRect(1, 2, 30, 10));

    const TRect area = GetWorkAreaRect();
    EXPECT_FALSE(area.IsEmpty());
    EXPECT_EQ(area.ToQRect(), QGuiApplication::primaryScreen()->availableGeometry());

    EXPECT_EQ(PCharToStr(nullptr), "");
    EXPECT_EQ(PCharToStr(""), "");
    EXPECT_EQ(PCharToStr("WINXP_TAB_LINE"), "WINXP_TAB_LINE");
    EXPECT_EQ(PCharToStr("\xD6\xD0\xCE\xC4"), QString::fromUtf8("中文"));
}

TEST(IsHasProperty, AnswersForTheRealClassesAndTheirBases)
{
    QWidget window;
    const std::unique_ptr<QObject> objects[] = {
        std::make_unique<TsuiButton>(), std::make_unique<TsuiRadioButton>(), std::make_unique<TsuiEdit>(),
        std::make_unique<TsuiCheckGroup>()};
    struct Case
    {
        int Object;
        const char* Property;
        bool Has;
    };
    const Case cases[] = {
        {0, "UIStyle", true},    {0, "Glyph", true},        {0, "GroupIndex", false},
        {0, "Width", true},      {1, "GroupIndex", true},   {1, "Checked", true},
        {1, "UIStyle", true},    {1, "Glyph", false},       {2, "BorderColor", true},
        {2, "UIStyle", false},   {3, "UIStyle", true},      {3, "BorderColor", true},
        {0, "objectName", true}, {0, "NoSuchThing", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsHasProperty(objects[c.Object].get(), QString::fromLatin1(c.Property)), c.Has)
            << objects[c.Object]->metaObject()->className() << "." << c.Property;
    EXPECT_FALSE(IsHasProperty(nullptr, QStringLiteral("UIStyle")));
}

TEST(IsHasProperty, AnswersForTheBarsListsBoxesToolBarAndGrids)
{
    QWidget window;
    struct Case
    {
        QObject* Object;
        const char* Property;
        bool Has;
    };
    auto* track = new TsuiTrackBar(&window);
    auto* scroll = new TsuiScrollBar(&window);
    auto* side = new TsuiSideChannel(&window);
    auto* list = new TsuiListBox(&window);
    auto* checkList = new TsuiCheckListBox(&window);
    auto* combo = new TsuiComboBox(&window);
    auto* colors = new TsuiColorBox(&window);
    auto* fonts = new TsuiFontComboBox(&window);
    auto* sizes = new TsuiFontSizeComboBox(&window);
    auto* tools = new TsuiToolBar(&window);
    auto* drawGrid = new TsuiDrawGrid(&window);
    auto* stringGrid = new TsuiStringGrid(&window);
    auto* memo = new TsuiMemo(&window);
    auto* image = new TsuiImagePanel(&window);
    const Case cases[] = {
        {track, "SliderImage", true},     {track, "PageSize", true},     {track, "LineButton", false},
        {scroll, "LineButton", true},     {scroll, "SmallChange", true}, {scroll, "BarImage", false},
        {side, "StayOn", true},           {side, "PopupMode", true},     {side, "Width", true},
        {list, "VScrollBar", true},       {list, "BorderColor", true},   {checkList, "VScrollBar", false},
        {checkList, "Flat", true},        {combo, "ArrowColor", true},   {combo, "UIStyle", true},
        {colors, "NoneColorColor", true}, {colors, "ButtonColor", true}, {fonts, "UseFonts", true},
        {fonts, "Style", true},           {sizes, "FontName", true},     {sizes, "UseFonts", false},
        {tools, "ButtonDownColor", true}, {tools, "Flat", true},         {drawGrid, "FocusedColor", true},
        {drawGrid, "ScrollBars", true},   {stringGrid, "Options", true}, {stringGrid, "VScrollBar", false},
        {memo, "WantTabs", true},         {memo, "HScrollBar", true},    {memo, "PasswordChar", false},
        {image, "BorderWidth", true},     {image, "Picture", true},      {image, "Items", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsHasProperty(c.Object, QString::fromLatin1(c.Property)), c.Has)
            << c.Object->metaObject()->className() << "." << c.Property;
}

// A class that forgets to name what it publishes would answer with its
// base's list: every class of the engine names its own, even when empty.
TEST(IsHasProperty, EveryComponentClassNamesWhatItPublishes)
{
    QWidget window;
    window.resize(400, 300);
    auto* frame = new TsuiForm(&window);
    TsuiMainMenu menu;
    auto* pages = new TsuiPageControl(frame);
    const QObject* components[] = {frame,
                                   frame->TitleBar(),
                                   &menu,
                                   new TsuiButton(frame),
                                   new TsuiImageButton(frame),
                                   new TsuiRadioButton(frame),
                                   new TsuiGroupBox(frame),
                                   new TsuiRadioGroup(frame),
                                   new TsuiTabControl(frame),
                                   pages,
                                   new TsuiTabSheet(pages),
                                   new TsuiEdit(frame),
                                   new TsuiMemo(frame),
                                   new TsuiImagePanel(frame),
                                   new TsuiProgressBar(frame),
                                   new TsuiTrackBar(frame),
                                   new TsuiScrollTrackBar(frame),
                                   new TsuiScrollBar(frame),
                                   new TsuiSideChannel(frame),
                                   new TsuiListBox(frame),
                                   new TsuiCheckListBox(frame),
                                   new TsuiListView(frame),
                                   new TsuiTreeView(frame),
                                   new TsuiComboBox(frame),
                                   new TsuiColorBox(frame),
                                   new TsuiFontComboBox(frame),
                                   new TsuiFontSizeComboBox(frame),
                                   new TsuiToolBar(frame),
                                   new TsuiDrawGrid(frame),
                                   new TsuiStringGrid(frame)};
    for (const QObject* component : components)
        for (const QMetaObject* meta = component->metaObject();
             meta != &QWidget::staticMetaObject && meta != &QObject::staticMetaObject;
             meta = meta->superClass()) {
            bool named = false;
            for (int i = meta->classInfoOffset(); i < meta->classInfoCount(); ++i)
                named = named || std::strcmp(meta->classInfo(i).name(), "Published") == 0;
            EXPECT_TRUE(named) << meta->className();
        }
}

TEST(TiledBackground, CopiesWhatTileDrawDrawsAndFollowsItsInputs)
{
    struct Step
    {
        QSize size;
        qreal ratio;
        TColor under;
        bool transparent;
    };
    // One background through every step: each change of size, ratio, colour
    // or key must show, never the picture kept from before.
    const Step steps[] = {
        {{10, 7}, 1, clWhite, false}, {{10, 7}, 1, clWhite, false}, {{10, 7}, 1, clWhite, true},
        {{10, 7}, 1, clRed, true},    {{13, 5}, 1, clRed, true},    {{13, 5}, 2, clRed, true},
        {{13, 5}, 2, clRed, false},   {{13, 5}, 1.5, clRed, true},  {{13, 5}, 1, clNone, true}};
    TTiledBackground background;
    TBitmap tile = Coded(3, 2);
    QImage hiRes(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            hiRes.setPixel(x, y, qRgb(x, y, 99));
    tile.SetHiRes(hiRes);
    for (const Step& s : steps) {
        tile.SetTransparent(s.transparent);
        auto paint = [&s](auto draw) {
            QImage image = DeviceImage(s.size, s.ratio);
            image.fill(ToQColor(s.under));
            TCanvas canvas(image);
            draw(canvas);
            return image;
        };
        const QImage kept = paint([&](TCanvas& canvas) { background.Draw(canvas, tile, s.under); });
        const QImage direct = paint(
            [&](TCanvas& canvas) { TileDraw(canvas, tile, Rect(0, 0, s.size.width(), s.size.height())); });
        EXPECT_EQ(kept, direct) << s.size.width() << "x" << s.size.height() << " at " << s.ratio;
    }
}
