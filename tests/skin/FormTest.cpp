#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "framework/TForm.h"
#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"
#include "skin/SuiForm.h"
#include "tests/support/TDialogRecorder.h"

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A window set up as the main window sets its frame.
struct MainFrame : ::testing::Test
{
    QWidget window;
    TsuiForm* form = nullptr;

    void SetUp() override
    {
        window.resize(496, 354);
        window.move(100, 100);
        window.setWindowTitle(QStringLiteral("       Tessel V1.2"));
        form = new TsuiForm(&window);
        form->SetUIStyle(Protein);
        form->SetBorderColor(clBackground);
        form->SetBorderWidth(1);
        form->SetColor(0xFBFBFB);
        TFont font;
        font.Name = QStringLiteral("Tahoma");
        font.Size = 8;
        font.Bold = true;
        font.Color = clWhite;
        form->SetFont(font);

        TsuiTitleBarButtons& buttons = form->TitleBarButtons();
        buttons.Clear();
        for (const auto& [type, name] : {std::pair{suiClose, "CLOSE"}, std::pair{suiMin, "MIN"}}) {
            TsuiTitleBarButton& button = buttons.Add();
            button.SetButtonType(type);
            button.SetTransparent(true);
            button.SetTop(2);
            const QString base = QStringLiteral(":/pictures/MAIN_%1_").arg(QLatin1String(name));
            ASSERT_TRUE(button.LoadPictures(base + "NORMAL.png", base + "MOUSEON.png", base + "DOWN.png"));
        }
        TsuiTitleBarSections& sections = form->TitleBarSections();
        sections.Clear();
        const std::tuple<TsuiTitleBarAlign, const char*> parts[] = {
            {suiLeft, "LEFT"}, {suiRight, "RIGHT"}, {suiClient, "CLIENT"}};
        for (const auto& [align, name] : parts) {
            TsuiTitleBarSection& section = sections.Add();
            section.SetAutoSize(true);
            ASSERT_TRUE(
                section.LoadPictureFromFile(QStringLiteral(":/pictures/MAIN_TITLE_%1.png").arg(name)));
            section.SetAlign(align);
        }
    }

    QPoint ButtonCentre(TsuiTitleBarBtnType type) const
    {
        const TsuiTitleBar* bar = form->TitleBar();
        for (const auto& place : bar->ButtonPlaces())
            if (bar->Buttons().Items(place.Index).ButtonType() == type)
                return QPoint((place.Rect.Left + place.Rect.Right) / 2,
                              (place.Rect.Top + place.Rect.Bottom) / 2);
        ADD_FAILURE() << "no such button";
        return {};
    }

    void ShowActive()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

} // namespace

TEST_F(MainFrame, CoversTheWindowInsideItsFrameAndMakesItFrameless)
{
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form->geometry(), QRect(1, 0, 494, 353));
    EXPECT_EQ(form->TitleBar()->geometry(), QRect(0, 0, 494, 23));
    EXPECT_EQ(form->Caption(), QStringLiteral("       Tessel V1.2"));
    EXPECT_EQ(form->TitleBar()->Caption(), form->Caption());
    EXPECT_EQ(GetSUIFormStyle(&window), Protein);
    EXPECT_EQ(GetSUIFormColor(&window), TColor(0xFBFBFB));
    EXPECT_EQ(form->TitleBar()->Font().Color, clWhite);
    EXPECT_TRUE(form->TitleBar()->Font().Bold);
    EXPECT_EQ(form->TitleBar()->Font().Size, 8);

    auto* button = new TsuiButton(form);
    button->SetBounds(12, 305, 60, 25);
    EXPECT_EQ(button->mapTo(&window, QPoint(0, 0)), QPoint(13, 305));
    EXPECT_EQ(button->UIStyle(), Protein) << "a control placed on the frame starts in its style";

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(300, 200);
    EXPECT_EQ(form->geometry(), QRect(1, 0, 298, 199));
    EXPECT_EQ(form->TitleBar()->width(), 298);
    form->SetTitleBarVisible(false);
    EXPECT_EQ(form->geometry(), QRect(1, 1, 298, 198));
}

TEST_F(MainFrame, FrameBandsShowTheBorderColour)
{
    form->SetBorderColor(clRed);
    ShowActive();
    const QImage shot = window.grab().toImage();
    for (const QPoint p : {QPoint(0, 100), QPoint(495, 100), QPoint(200, 353), QPoint(0, 353)})
        EXPECT_EQ(FromQRgb(shot.pixel(p)), clRed) << p.x() << "," << p.y();
    EXPECT_NE(FromQRgb(shot.pixel(200, 200)), clRed);
}

TEST_F(MainFrame, SecondFrameOnAWindowThrows)
{
    try {
        new TsuiForm(&window);
        FAIL() << "a second frame was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Sorry, You can create only one TsuiForm component in one form!");
    }
    int frames = 0;
    for (QObject* child : window.children())
        frames += dynamic_cast<TsuiForm*>(child) != nullptr;
    EXPECT_EQ(frames, 1);
    // Another window takes its own frame.
    QWidget other;
    EXPECT_NO_THROW(new TsuiForm(&other));
}

TEST_F(MainFrame, CloseButtonClosesTheWindow)
{
    ShowActive();
    int closes = 0;
    form->TitleBar()->OnCustomBtnsClick = [&](QObject*, int) { ++closes; };
    const QPoint close = ButtonCentre(suiClose);
    EXPECT_GT(close.x(), 470) << "close sits at the far right";
    QTest::mouseClick(form->TitleBar(), Qt::LeftButton, {}, close);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closes, 0);
}

TEST_F(MainFrame, ReleaseClicksTheButtonUnderTheCursorWhereverThePressWas)
{
    ShowActive();
    const QPoint close = ButtonCentre(suiClose);
    QTest::mousePress(form->TitleBar(), Qt::LeftButton, {}, close);
    QTest::mouseRelease(form->TitleBar(), Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_TRUE(window.isVisible()) << "released over the caption: no click";
    EXPECT_FALSE(window.isMinimized());

    QTest::mousePress(form->TitleBar(), Qt::LeftButton, {}, close);
    QTest::mouseRelease(form->TitleBar(), Qt::LeftButton, {}, ButtonCentre(suiMin));
    EXPECT_TRUE(window.isVisible()) << "close was pressed but not released on";
    EXPECT_TRUE(window.isMinimized()) << "minimise was under the cursor at release";
}

TEST_F(MainFrame, MinimiseButtonMinimisesTheWindow)
{
    ShowActive();
    const QPoint min = ButtonCentre(suiMin);
    EXPECT_EQ(ButtonCentre(suiClose).x() - min.x(), 20) << "minimise sits left of close";
    QTest::mouseClick(form->TitleBar(), Qt::LeftButton, {}, min);
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(MainFrame, DraggingTheTitleBarMovesTheWindow)
{
    ShowActive();
    const QPoint start = window.pos();
    TsuiTitleBar* bar = form->TitleBar();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(200, 10));
    QTest::mouseMove(bar, QPoint(230, 30));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainFrame, SectionsAndButtonsPaintTheirPictures)
{
    TPicture left;
    TPicture right;
    TPicture close;
    ASSERT_TRUE(left.LoadFromFile(QStringLiteral(":/pictures/MAIN_TITLE_LEFT.png")));
    ASSERT_TRUE(right.LoadFromFile(QStringLiteral(":/pictures/MAIN_TITLE_RIGHT.png")));
    ASSERT_TRUE(close.LoadFromFile(QStringLiteral(":/pictures/MAIN_CLOSE_NORMAL.png")));
    ASSERT_EQ(left.Width(), 137);
    ASSERT_EQ(right.Width(), 129);
    form->SetCaption(QString());
    const QImage bar = form->TitleBar()->PaintToImage();
    ASSERT_EQ(bar.size(), QSize(494, 23));
    for (int y = 0; y < 23; y += 5) {
        for (int x = 0; x < 137; x += 7)
            ASSERT_EQ(FromQRgb(bar.pixel(x, y)), left.Bitmap().Pixel(x, y)) << x << "," << y;
        // Right of the buttons, the right section shows unscaled.
        for (int x = 0; x < 129; x += 7)
            if (494 - 129 + x < 455) {
                ASSERT_EQ(FromQRgb(bar.pixel(494 - 129 + x, y)), right.Bitmap().Pixel(x, y)) << x << "," << y;
            }
    }
    // The close button at (475, 2), its bottom-left colour left out.
    const TColor key = close.Bitmap().Pixel(0, 18);
    int drawn = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x)
            if (close.Bitmap().Pixel(x, y) != key) {
                ASSERT_EQ(FromQRgb(bar.pixel(475 + x, 2 + y)), close.Bitmap().Pixel(x, y)) << x << "," << y;
                ++drawn;
            }
    EXPECT_GT(drawn, 50);
}

TEST_F(MainFrame, LongCaptionIsCutToTwoBytes)
{
    TsuiTitleBar* bar = form->TitleBar();
    QImage image(10, 10, QImage::Format_ARGB32);
    TCanvas canvas(image);
    canvas.Font = bar->Font();
    EXPECT_EQ(bar->VisibleCaption(canvas), form->Caption());
    form->resize(120, 353);
    bar->resize(120, 23);
    form->SetCaption(QStringLiteral("中文标题非常非常长的一个窗口"));
    EXPECT_EQ(bar->VisibleCaption(canvas), QStringLiteral("中..."));
    form->SetCaption(QStringLiteral("A very long window caption here"));
    EXPECT_EQ(bar->VisibleCaption(canvas), QStringLiteral("A ..."));
}

TEST_F(MainFrame, OnlyOneControlBoxAndOneClientSection)
{
    TDialogRecorder recorder;
    TsuiTitleBarButton& box = form->TitleBarButtons().Add();
    box.SetButtonType(suiControlBox);
    TsuiTitleBarButton& second = form->TitleBarButtons().Add();
    second.SetButtonType(suiControlBox);
    EXPECT_EQ(second.ButtonType(), suiCustom);
    TsuiTitleBarSection& section = form->TitleBarSections().Add();
    section.SetAlign(suiClient);
    EXPECT_EQ(section.Align(), suiLeft);
    ASSERT_EQ(recorder.Entries().size(), 2u);
    EXPECT_EQ(recorder.Entries()[0].Text,
              QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\""));
    EXPECT_EQ(recorder.Entries()[1].Text,
              QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""));
}

TEST(TitleBar, DefaultButtonsAndDoubleClickMaximises)
{
    QWidget window;
    window.resize(400, 300);
    auto* form = new TsuiForm(&window);
    form->SetUIStyle(WinXP);
    TsuiTitleBar* bar = form->TitleBar();
    EXPECT_EQ(bar->Font().Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(bar->Font().Color, clWhite) << "the caption starts white and bold";
    EXPECT_TRUE(bar->Font().Bold);
    ASSERT_EQ(bar->Buttons().Count(), 4);
    std::vector<std::pair<TsuiTitleBarBtnType, int>> order;
    for (const auto& place : bar->ButtonPlaces())
        order.push_back({bar->Buttons().Items(place.Index).ButtonType(), place.Rect.Left});
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0].first, suiClose);
    EXPECT_EQ(order[1].first, suiMax);
    EXPECT_EQ(order[2].first, suiMin);
    EXPECT_EQ(order[3].first, suiControlBox);
    EXPECT_GT(order[0].second, order[1].second);
    EXPECT_GT(order[1].second, order[2].second);
    EXPECT_LT(order[3].second, order[2].second);
    EXPECT_EQ(bar->height(), 29) << "WinXP title sections are 29 high";

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(150, 12));
    EXPECT_TRUE(window.isMaximized());
}

TEST(TitleBar, ProteinThemePicturesAndHoverStates)
{
    QWidget window;
    window.resize(600, 300);
    auto* form = new TsuiForm(&window);
    form->SetUIStyle(Protein);
    form->SetCaption(QString());
    TsuiTitleBar* bar = form->TitleBar();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(bar->size(), QSize(598, 23));

    const TBitmap left = LoadSkinBitmap(QStringLiteral("PROTEIN_TITLE_LEFT"));
    const TBitmap normal = LoadSkinBitmap(QStringLiteral("PROTEIN_TITLEBTN_CLOSE_NORMAL"));
    const TBitmap over = LoadSkinBitmap(QStringLiteral("PROTEIN_TITLEBTN_CLOSE_MOUSEON"));
    const TBitmap down = LoadSkinBitmap(QStringLiteral("PROTEIN_TITLEBTN_CLOSE_MOUSEDOWN"));
    ASSERT_EQ(left.Width(), 441);
    ASSERT_EQ(normal.Width(), 19);

    // Close sits at x = 598 + 1 - 20 = 579, 2 pixels down (the title button top).
    const auto closeMatches = [&](const QImage& image, const TBitmap& picture) {
        const TColor key = picture.Pixel(0, picture.Height() - 1);
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 19; ++x)
                if (picture.Pixel(x, y) != key &&
                    FromQRgb(image.pixel(579 + x, 2 + y)) != picture.Pixel(x, y))
                    return false;
        return true;
    };
    QImage image = bar->PaintToImage();
    // Right of the control box (19 wide at x = 0) the left section shows unscaled.
    for (int y = 0; y < 23; y += 2)
        for (int x = 20; x < 441; x += 5)
            ASSERT_EQ(FromQRgb(image.pixel(x, y)), left.Pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(closeMatches(image, normal));

    QTest::mouseMove(bar, QPoint(588, 11));
    image = bar->PaintToImage();
    EXPECT_TRUE(closeMatches(image, over));
    EXPECT_FALSE(closeMatches(image, normal));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(588, 11));
    EXPECT_TRUE(closeMatches(bar->PaintToImage(), down));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(588, 11));
    EXPECT_FALSE(window.isVisible());
}

TEST(FormSizing, ZonesAlongTheEdgesOfASizeableWindowOnly)
{
    QWidget window;
    window.resize(347, 218);
    auto* form = new TsuiForm(&window);
    EXPECT_EQ(form->ResizeEdges(QPoint(0, 100)), Qt::Edges()) << "fixed by default";
    form->SetSizeable(true);
    // Five pixels deep on the left and top, four on the right and bottom.
    const std::pair<QPoint, Qt::Edges> cases[] = {
        {{4, 4}, Qt::TopEdge | Qt::LeftEdge},
        {{343, 0}, Qt::TopEdge | Qt::RightEdge},
        {{346, 217}, Qt::BottomEdge | Qt::RightEdge},
        {{4, 214}, Qt::BottomEdge | Qt::LeftEdge},
        {{4, 100}, Qt::LeftEdge},
        {{100, 4}, Qt::TopEdge},
        {{343, 100}, Qt::RightEdge},
        {{100, 214}, Qt::BottomEdge},
        {{5, 5}, Qt::Edges()},
        {{342, 213}, Qt::Edges()},
    };
    for (const auto& [point, edges] : cases)
        EXPECT_EQ(form->ResizeEdges(point), edges) << point.x() << "," << point.y();
}

TEST(FormSizing, DraggingACornerResizesAndTheFrameFollows)
{
    QWidget window;
    window.resize(347, 218);
    window.move(50, 50);
    auto* form = new TsuiForm(&window);
    form->SetSizeable(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Window (345, 216) is the panel's (344, 216), in the bottom-right corner.
    QTest::mousePress(form, Qt::LeftButton, {}, QPoint(344, 216));
    QTest::mouseMove(form, QPoint(374, 236));
    QTest::mouseRelease(form, Qt::LeftButton, {}, QPoint(374, 236));
    EXPECT_EQ(window.geometry(), QRect(50, 50, 377, 238));
    EXPECT_EQ(form->geometry(), QRect(1, 0, 375, 237));

    // A fixed window ignores the same drag.
    form->SetSizeable(false);
    QTest::mousePress(form, Qt::LeftButton, {}, QPoint(374, 236));
    QTest::mouseMove(form, QPoint(394, 256));
    QTest::mouseRelease(form, Qt::LeftButton, {}, QPoint(394, 256));
    EXPECT_EQ(window.size(), QSize(377, 238));
}

TEST(TitleBar, AppIconAndHelpAndCustomButtons)
{
    QWidget window;
    window.resize(400, 200);
    auto* form = new TsuiForm(&window);
    form->SetUIStyle(Protein);
    TsuiTitleBar* bar = form->TitleBar();
    EXPECT_EQ(bar->CaptionLeft(), 19 + 5) << "after the control-box picture";
    form->SetTitleBarDrawAppIcon(true);
    EXPECT_EQ(bar->CaptionLeft(), 21) << "after the 16 x 16 icon";
    const QImage withIcon = bar->PaintToImage();
    form->SetTitleBarDrawAppIcon(false);
    const QImage withBox = bar->PaintToImage();
    EXPECT_NE(withIcon.copy(3, 2, 16, 16), withBox.copy(3, 2, 16, 16));

    TsuiTitleBarButton& help = bar->Buttons().Add();
    help.SetButtonType(suiHelp);
    TsuiTitleBarButton& custom = bar->Buttons().Add();
    custom.LoadPictures(QStringLiteral(":/pictures/MAIN_MIN_NORMAL.png"),
                        QStringLiteral(":/pictures/MAIN_MIN_MOUSEON.png"),
                        QStringLiteral(":/pictures/MAIN_MIN_DOWN.png"));
    std::vector<std::pair<QString, int>> fired;
    bar->OnHelpBtnClick = [&](QObject* sender, int index) {
        EXPECT_EQ(sender, bar);
        fired.push_back({QStringLiteral("help"), index});
    };
    bar->OnCustomBtnsClick = [&](QObject*, int index) { fired.push_back({QStringLiteral("custom"), index}); };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const auto& place : bar->ButtonPlaces()) {
        const TsuiTitleBarBtnType type = bar->Buttons().Items(place.Index).ButtonType();
        if (type == suiHelp || type == suiCustom)
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(place.Rect.Left + 5, place.Rect.Top + 5));
    }
    EXPECT_EQ(fired, (std::vector<std::pair<QString, int>>{{QStringLiteral("help"), 4},
                                                           {QStringLiteral("custom"), 5}}));
    EXPECT_TRUE(window.isVisible());
}

TEST(FrameFont, TheFramesFontAndCaptionAreTheTitleBarsWhileTheControlsShowTheWindowsFont)
{
    TForm window;
    TFont controls;
    controls.Name = QStringLiteral("MS Sans Serif");
    controls.Size = 8;
    window.SetFont(controls);
    auto* frame = new TsuiForm(&window);
    auto* edit = new TsuiEdit(frame);
    TFont title;
    title.Size = 10;
    title.Bold = true;
    title.Color = clYellow;
    frame->SetFont(title);
    EXPECT_TRUE(frame->TitleBar()->Font() == title);
    EXPECT_TRUE(frame->Font() == title);
    EXPECT_TRUE(edit->Font() == controls) << "the frame's font does not reach the controls";

    controls.Size = 12;
    window.SetFont(controls);
    EXPECT_TRUE(edit->Font() == controls);
    EXPECT_EQ(edit->LineEdit()->font().pixelSize(), controls.ToQFont().pixelSize()) << "told of the change";

    frame->TitleBar()->SetCaption(QStringLiteral("Bar"));
    EXPECT_EQ(frame->Caption(), QStringLiteral("Bar"));
    frame->SetCaption(QStringLiteral("Both"));
    EXPECT_EQ(frame->TitleBar()->Caption(), QStringLiteral("Both"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Both"));
}

TEST(TitleBar, OnlyAFramesWindowGetsRoundCorners)
{
    for (const bool framed : {true, false}) {
        QWidget window;
        window.resize(300, 200);
        TsuiTitleBar* bar = framed ? (new TsuiForm(&window))->TitleBar() : new TsuiTitleBar(&window);
        bar->SetUIStyle(WinXP);
        window.resize(320, 200);
        EXPECT_EQ(window.mask().isEmpty(), !framed) << framed;
    }
}

TEST(TitleBar, NewButtonsStartInDeepBlueAndOnlyOneControlBoxEvenForItself)
{
    TDialogRecorder recorder;
    QWidget window;
    window.resize(300, 200);
    auto* frame = new TsuiForm(&window);
    frame->SetUIStyle(WinXP);
    TsuiTitleBar* bar = frame->TitleBar();
    EXPECT_EQ(bar->Buttons().Add().UIStyle(), DeepBlue);

    ASSERT_EQ(bar->Buttons().Items(0).ButtonType(), suiControlBox);
    bar->Buttons().Items(0).SetButtonType(suiControlBox);
    ASSERT_EQ(recorder.Entries().size(), 1u);
    EXPECT_EQ(recorder.Entries()[0].Text,
              QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\""));

    // Without right-hand buttons the caption may run to where the first one would end.
    bar->Buttons().Clear();
    ASSERT_EQ(bar->RightBtnXOffset(), -2);
    EXPECT_EQ(bar->CaptionRight(), bar->width() - 2 + 1);
}
