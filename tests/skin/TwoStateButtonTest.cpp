#include "framework/TCanvas.h"
#include "framework/TForm.h"
#include "skin/SuiButton.h"
#include "tests/support/PixelHelpers.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Enter(QWidget* widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(widget, &enter);
}

// Whether the control shows the bitmap at the two-state picture place; a
// masked picture leaves out its top-left colour.
::testing::AssertionResult ShowsPicture(TsuiCustomButtonEx& box, const QString& name, bool masked)
{
    const TBitmap expected = LoadSkinBitmap(name);
    if (expected.Empty())
        return ::testing::AssertionFailure() << "no bitmap " << name.toStdString();
    const QImage painted = box.PaintToImage();
    const int top = (box.height() - expected.Height()) / 2;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            if (!(masked && expected.Pixel(x, y) == expected.Pixel(0, 0)) &&
                FromQRgb(painted.pixel(1 + x, top + y)) != expected.Pixel(x, y))
                return ::testing::AssertionFailure() << name.toStdString() << " differs at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

TBitmap Solid(TColor color)
{
    TBitmap bitmap(12, 10);
    bitmap.EditImage().fill(ToQColor(color));
    return bitmap;
}

TPicture PictureOf(TColor color)
{
    TPicture picture;
    picture.Assign(Solid(color));
    return picture;
}

} // namespace

TEST(TwoStateButtons, StatePicturesFollowCheckEnabledHoverAndPress)
{
    struct Case
    {
        TsuiUIStyle Style;
        bool Radio, Checked, Enabled, Hover, Pressed;
        const char* Picture;
    };
    const Case cases[] = {
        {WinXP, false, false, true, false, false, "WINXP_CHECKBOX_NORMAL_UNCHECK"},
        {WinXP, false, true, true, false, false, "WINXP_CHECKBOX_NORMAL_CHECK"},
        {WinXP, false, true, true, true, false, "WINXP_CHECKBOX_MOUSEON_CHECK"},
        {WinXP, false, false, true, true, true, "WINXP_CHECKBOX_MOUSEDOWN_UNCHECK"},
        {WinXP, false, true, false, false, false, "WINXP_CHECKBOX_DISABLE_CHECK"},
        {WinXP, false, false, false, false, false, "WINXP_CHECKBOX_DISABLE_UNCHECK"},
        {Protein, false, true, true, true, false, "PROTEIN_CHECKBOX_CHECK"},
        {MacOS, false, false, true, true, true, "MACOS_CHECKBOX_UNCHECK"},
        {WinXP, true, true, true, true, false, "WINXP_RADIOBUTTON_MOUSEON_CHECK"},
        {WinXP, true, false, false, false, false, "WINXP_RADIOBUTTON_DISABLE_UNCHECK"},
        {DeepBlue, true, true, true, false, false, "DEEPBLUE_RADIOBUTTON_CHECK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Picture);
        QWidget window;
        window.resize(200, 60);
        TsuiCheckBox* box = c.Radio ? new TsuiRadioButton(&window) : new TsuiCheckBox(&window);
        box->SetUIStyle(c.Style);
        box->SetCaption(QString());
        box->SetBounds(5, 5, 60, 21);
        box->SetChecked(c.Checked);
        box->SetEnabled(c.Enabled);
        if (c.Hover)
            Enter(box);
        if (c.Pressed)
            QTest::mousePress(box, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_TRUE(ShowsPicture(*box, QString::fromLatin1(c.Picture), c.Radio));
    }
}

TEST(TwoStateButtons, SpaceAndClicksToggleCheckBoxesAndOnlyCheckRadios)
{
    QWidget window;
    window.resize(300, 100);
    auto* box = new TsuiCheckBox(&window);
    auto* radio = new TsuiRadioButton(&window);
    radio->move(0, 30);
    int boxClicks = 0;
    box->OnClick = [&](QObject*) { ++boxClicks; };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(boxClicks, 1);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(boxClicks, 2);

    radio->setFocus();
    QTest::keyClick(radio, Qt::Key_Space);
    EXPECT_TRUE(radio->Checked());
    QTest::keyClick(radio, Qt::Key_Space);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(radio->Checked()) << "a click never unchecks a radio button";
}

TEST(TwoStateButtons, CheckingARadioUnchecksItsGroupUnderTheSameParentOnly)
{
    QWidget window;
    QWidget* panels[2] = {new QWidget(&window), new QWidget(&window)};
    // (panel, group) of each radio button.
    const std::pair<int, int> places[] = {{0, 0}, {0, 0}, {0, 1}, {1, 0}};
    std::vector<TsuiRadioButton*> radios;
    for (const auto& [panel, group] : places) {
        radios.push_back(new TsuiRadioButton(panels[panel]));
        radios.back()->SetGroupIndex(group);
        radios.back()->SetChecked(true);
    }
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_TRUE(radios[2]->Checked()) << "another group index";
    EXPECT_TRUE(radios[3]->Checked()) << "another parent";
    radios[0]->SetChecked(true);
    EXPECT_FALSE(radios[1]->Checked());
    EXPECT_TRUE(radios[2]->Checked());
}

TEST(TwoStateButtons, AutoSizeFitsPictureAndCaption)
{
    struct Case
    {
        TsuiUIStyle Style;
        int PicW, PicH;
    };
    for (const Case c : {Case{WinXP, 13, 13}, Case{MacOS, 15, 17}}) {
        QWidget window;
        auto* box = new TsuiCheckBox(&window);
        TFont font;
        font.Name = QStringLiteral("MS Sans Serif");
        font.Size = 8;
        box->SetFont(font);
        box->SetUIStyle(c.Style);
        EXPECT_EQ(box->GetPicWidth(), c.PicW);
        EXPECT_EQ(box->size(), QSize(93, 17)) << "no auto size until asked";
        box->SetAutoSize(true);
        const int textWidth = MeasureTextWidth(font, QStringLiteral("suiCheckBox"));
        EXPECT_EQ(box->size(), QSize(c.PicW + textWidth + 8, std::max(11 + 2, c.PicH) + 4));
        window.show(); // resizes of a hidden control wait for it to show
        box->resize(300, 40);
        EXPECT_EQ(box->width(), c.PicW + textWidth + 8) << "a resize is undone while auto-sizing";
    }
}

TEST(ImageButton, EachStateShowsItsPictureOrTheNormalOne)
{
    QWidget window;
    auto* button = new TsuiImageButton(&window);
    button->SetAutoSize(true);
    button->SetPicNormal(PictureOf(clRed));
    button->SetPicMouseOn(PictureOf(clLime));
    button->SetPicDisabled(PictureOf(clBlue));
    EXPECT_EQ(button->UIStyle(), Custom);
    EXPECT_EQ(button->size(), QSize(12, 10));

    EXPECT_EQ(PixelAt(button->PaintToImage(), 5, 5), clRed);
    Enter(button);
    EXPECT_EQ(PixelAt(button->PaintToImage(), 5, 5), clLime);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(PixelAt(button->PaintToImage(), 5, 5), clRed) << "no pressed picture: the normal one";
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    button->SetEnabled(false);
    EXPECT_EQ(PixelAt(button->PaintToImage(), 5, 5), clBlue);

    button->SetEnabled(true);
    button->SetAutoSize(false);
    button->resize(24, 20);
    button->SetStretch(true);
    EXPECT_EQ(PixelAt(button->PaintToImage(), 23, 19), clLime) << "still under the mouse, stretched";
}

TEST(ButtonFamily, ModalResultClosesAModalWindow)
{
    TForm form;
    form.SetClientSize(200, 100);
    auto* ok = new TsuiButton(&form);
    ok->SetModalResult(mrOk);
    auto* plain = new TsuiButton(&form);
    QTimer::singleShot(0, &form, [&] {
        QTest::mouseClick(plain, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(form.isVisible()) << "mrNone keeps the window open";
        QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5));
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(form.isVisible());
}

TEST(ButtonFamily, ResourceModuleAndActionFeedTheButton)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Solid(clRed).Image().save(dir.filePath(QStringLiteral("MINE")), "PNG"));
    QWidget window;
    auto* button = new TsuiButton(&window);
    EXPECT_EQ(button->ResHandle(), 0u);
    button->SetPicNormalResName(QStringLiteral("MINE"));
    EXPECT_EQ(PixelAt(button->PaintToImage(), 0, 0), clWhite) << "not in the program's bitmaps: blank";
    button->SetResHandle(RegisterResourceModule(dir.path()));
    EXPECT_EQ(PixelAt(button->PaintToImage(), 0, 0), clRed);

    QAction action(QStringLiteral("Go"));
    int runs = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++runs; });
    action.setEnabled(false);
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), QStringLiteral("Go"));
    EXPECT_FALSE(button->Enabled());
    action.setEnabled(true);
    action.setText(QStringLiteral("Again"));
    EXPECT_EQ(button->Caption(), QStringLiteral("Again"));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(runs, 1);
}

TEST(ButtonFamily, AStyleTakesThePicturesFromTheProgramsOwnModule)
{
    QTemporaryDir dir;
    QWidget window;
    auto* button = new TsuiButton(&window);
    button->resize(84, 25);
    button->SetResHandle(RegisterResourceModule(dir.path()));
    button->SetUIStyle(WinXP);
    EXPECT_EQ(button->ResHandle(), 0u);
    auto* plain = new TsuiButton(&window);
    plain->resize(84, 25);
    plain->SetUIStyle(WinXP);
    EXPECT_EQ(button->PaintToImage(), plain->PaintToImage()) << "the theme's picture, not the blank one";
}

TEST(TwoStateButtons, ACustomOneHasNoPictureToMakeRoomFor)
{
    QWidget window;
    TsuiCheckBox* const boxes[] = {new TsuiCheckBox(&window), new TsuiRadioButton(&window)};
    for (TsuiCheckBox* box : boxes) {
        box->SetUIStyle(Custom);
        EXPECT_EQ(box->GetPicWidth(), 0) << box->Caption().toStdString();
        EXPECT_EQ(box->GetPicHeight(), 0);
        box->SetAutoSize(true);
        EXPECT_EQ(box->width(), MeasureTextWidth(box->Font(), box->Caption()) + 8);
        EXPECT_EQ(box->height(), box->Font().PixelHeight() + 2 + 4);
    }
}
