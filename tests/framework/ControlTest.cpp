#include "tests/support/PixelHelpers.h"

#include "framework/TCanvas.h"
#include "framework/TControl.h"
#include "tests/support/TDialogRecorder.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Draws a frame in the font colour, so the composed picture shows both the
// colour and the font the control ends up with.
class FramedControl : public TControl
{
public:
    using TControl::TControl;
    int Repaints = 0;
    std::vector<std::string> Hooks;

protected:
    void Paint(TCanvas& canvas) override
    {
        canvas.Brush.Color = canvas.Font.Color;
        canvas.FrameRect(ClientRect());
    }
    void ColorChanged() override
    {
        ++Repaints;
        TControl::ColorChanged();
    }
    void MouseEnter() override
    {
        Hooks.push_back("enter");
        TControl::MouseEnter();
    }
    void MouseLeave() override
    {
        Hooks.push_back("leave");
        TControl::MouseLeave();
    }
};

void SendEnter(QWidget& widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&widget, &event);
}

void SendLeave(QWidget& widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(Control, PaintComposesOverTheControlColour)
{
    FramedControl control;
    control.resize(4, 3);
    control.SetColor(clYellow);
    TFont font;
    font.Color = clNavy;
    control.SetFont(font);
    const QImage image = control.PaintToImage();
    EXPECT_EQ(Mask(image, clNavy), "####|#..#|####");
    EXPECT_EQ(Mask(image, clYellow), "....|.##.|....");
}

TEST(Control, ParentColourAndFontFollowTheParentUntilSetOwn)
{
    FramedControl parent;
    parent.SetColor(clAqua);
    auto* child = new FramedControl(&parent);
    auto* grandChild = new FramedControl(child);
    child->SetParentColor(true);
    grandChild->SetParentColor(true);
    EXPECT_EQ(grandChild->Color(), clAqua);

    const int before = grandChild->Repaints;
    parent.SetColor(clPurple);
    EXPECT_EQ(child->Color(), clPurple);
    EXPECT_EQ(grandChild->Color(), clPurple);
    EXPECT_GT(grandChild->Repaints, before) << "a parent colour change must reach the grandchild";

    child->SetColor(clOlive);
    EXPECT_FALSE(child->ParentColor());
    EXPECT_EQ(grandChild->Color(), clOlive);
    parent.SetColor(clGray);
    EXPECT_EQ(child->Color(), clOlive);

    TFont big;
    big.Size = 20;
    parent.SetFont(big);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font().Size, 20);
    TFont own;
    own.Bold = true;
    child->SetFont(own);
    EXPECT_FALSE(child->ParentFont());
    EXPECT_TRUE(child->Font().Bold);
    EXPECT_EQ(child->Font().Size, 9);
}

TEST(Control, ParentColourFromAPlainWidgetParent)
{
    QWidget form;
    QPalette palette = form.palette();
    palette.setColor(form.backgroundRole(), QColor(0x12, 0x34, 0x56));
    form.setPalette(palette);
    auto* child = new FramedControl(&form);
    child->SetColor(clRed);
    child->SetParentColor(true);
    EXPECT_EQ(child->Color(), 0x563412u);
    child->resize(3, 3);
    EXPECT_EQ(FromQRgb(child->PaintToImage().pixel(1, 1)), 0x563412u);
}

TEST(Control, ClickNeedsPressAndReleaseInsideAndRunsGuarded)
{
    TDialogRecorder recorder;
    FramedControl control;
    control.resize(20, 10);
    control.show();
    int clicks = 0;
    control.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &control);
        ++clicks;
    };
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&control, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(50, 5));
    EXPECT_EQ(clicks, 1) << "released outside: no click";

    control.OnClick = [](QObject*) { throw std::runtime_error("Failed to set data for 'reg'"); };
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(recorder.Entries().size(), 1u);
    EXPECT_EQ(recorder.Entries()[0].Type, TDialogRecorder::Kind::Error);
    EXPECT_EQ(recorder.Entries()[0].Text, "Failed to set data for 'reg'");
}

TEST(Control, MouseEnterAndLeaveHooksFireOncePerCrossing)
{
    FramedControl control;
    int entered = 0, left = 0;
    control.OnMouseEnter = [&](QObject*) { ++entered; };
    control.OnMouseLeave = [&](QObject*) { ++left; };
    SendEnter(control);
    SendEnter(control);
    EXPECT_TRUE(control.MouseInControl());
    SendLeave(control);
    SendLeave(control);
    EXPECT_FALSE(control.MouseInControl());
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(control.Hooks, (std::vector<std::string>{"enter", "leave"}));
}

TEST(Control, EnabledVisibleAndCaption)
{
    QWidget window;
    auto* control = new FramedControl(&window);
    control->SetCaption(QString::fromUtf8("确定"));
    EXPECT_EQ(control->Caption(), QString::fromUtf8("确定"));
    EXPECT_TRUE(control->Visible()) << "a child is visible by its own flag while the window is hidden";
    control->SetVisible(false);
    EXPECT_FALSE(control->Visible());
    control->SetEnabled(false);
    EXPECT_FALSE(control->Enabled());
    control->SetBounds(3, 4, 30, 20);
    EXPECT_EQ(control->ClientRect(), Rect(0, 0, 30, 20));
    EXPECT_EQ(control->Left(), 3);
}
