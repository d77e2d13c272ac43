#include "skin/SuiButton.h"
#include "skin/SuiSideChannel.h"
#include "skin/SuiStyleRules.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A child, so that its resizes take effect at once.
QWidget* CreateDock(QWidget* window)
{
    auto* dock = new QWidget(window);
    dock->setGeometry(0, 0, 400, 300);
    return dock;
}

struct SideChannelFixture : ::testing::Test
{
    QWidget window;
    QWidget* dock = CreateDock(&window);
    TsuiSideChannel* channel = new TsuiSideChannel(dock);
    std::vector<int> widths;
    std::vector<std::string> events;
    QPoint pointer;

    void SetUp() override
    {
        window.resize(420, 320);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        channel->SetWidth(200);
        channel->SetCaption(QStringLiteral("Tools"));
        channel->PointerPos = [this] { return pointer; };
        channel->OnResize = [this](QObject*) { widths.push_back(channel->width()); };
        channel->OnPop = [this](QObject*) { events.push_back("pop " + std::to_string(channel->width())); };
        channel->OnPush = [this](QObject*) { events.push_back("push " + std::to_string(channel->width())); };
    }

    static void MoveOver(QWidget* widget)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 20), widget->mapToGlobal(QPointF(3, 20)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    // The pointer at (dx, dy) from the panel's top-left corner.
    void PointAt(int dx, int dy) { pointer = channel->mapToGlobal(QPoint(dx, dy)); }
};

std::vector<int> Steps(int from, int to, int step)
{
    std::vector<int> result;
    for (int w = from; step > 0 ? w < to : w > to; w += step)
        result.push_back(w);
    result.push_back(to);
    return result;
}

} // namespace

TEST_F(SideChannelFixture, OpensAndClosesInStepsOrAtOnce)
{
    const struct
    {
        bool quick;
        std::vector<int> opening, closing;
    } cases[] = {
        {false, Steps(25, 200, 15), Steps(185, 10, -15)},
        {true, {200}, {10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quick);
        channel->SetQuickMove(c.quick);
        ASSERT_EQ(channel->width(), 10);
        widths.clear();
        events.clear();
        MoveOver(channel->SideBar());
        EXPECT_EQ(widths, c.opening);
        EXPECT_TRUE(channel->Pin()->isVisibleTo(channel));
        EXPECT_EQ(channel->CaptionStrip()->Caption(), QStringLiteral("Tools"));
        EXPECT_TRUE(channel->CloseTimer()->isActive());
        EXPECT_EQ(channel->Width(), 200) << "intermediate widths are not taken as the full width";

        widths.clear();
        PointAt(-5, 5);
        channel->CheckPointer();
        EXPECT_EQ(widths, c.closing);
        EXPECT_FALSE(channel->Pin()->isVisibleTo(channel));
        EXPECT_TRUE(channel->CaptionStrip()->Caption().isEmpty());
        EXPECT_FALSE(channel->CloseTimer()->isActive());
        EXPECT_EQ(events, (std::vector<std::string>{"pop 200", "push 10"}));
    }
    ASSERT_EQ(Steps(25, 200, 15).size(), 13u); // 25, 40, ..., 190, 200
}

TEST_F(SideChannelFixture, APanelFreedWhileSlidingStopsThere)
{
    // The events handled between two steps free the panel: the step loop must not touch it again.
    const QPointer<TsuiSideChannel> watched(channel);
    channel->OnResize = [this](QObject*) {
        if (channel->width() == 40)
            QTimer::singleShot(0, dock, [this] {
                channel->deleteLater();
                QCoreApplication::sendPostedEvents(channel, QEvent::DeferredDelete);
            });
    };
    MoveOver(channel->SideBar());
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(events.empty()) << "no OnPop from a freed panel";
}

TEST_F(SideChannelFixture, PopupModeDecidesBetweenMovingAndClicking)
{
    const struct
    {
        TsuiSideChannelPopupMode mode;
        bool movingOpens, clickingOpens;
    } cases[] = {{suiMouseOn, true, false}, {suiMouseClick, false, true}};
    for (const auto& c : cases) {
        channel->SetPopupMode(c.mode);
        for (QWidget* target :
             {static_cast<QWidget*>(channel->SideBar()), static_cast<QWidget*>(channel->BarButton())}) {
            channel->Push(true);
            MoveOver(target);
            EXPECT_EQ(channel->width(), c.movingOpens ? 200 : 10) << c.mode;
            channel->Push(true);
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 20));
            EXPECT_EQ(channel->width(), c.clickingOpens ? 200 : 10) << c.mode;
        }
    }
    channel->SetPopupMode(suiMouseOn);
    channel->Push(true);
    MoveOver(channel->CaptionStrip());
    EXPECT_EQ(channel->width(), 200);
}

TEST_F(SideChannelFixture, TimerClosesOnlyWhenThePointerIsStrictlyOutside)
{
    channel->SetQuickMove(true);
    const struct
    {
        int dx, dy;
        bool staysOpen;
    } cases[] = {
        {5, 5, true},    {199, 299, true}, {0, 5, false},  {5, 0, false},
        {200, 5, false}, {5, 300, false},  {-1, 5, false}, {300, 150, false},
    };
    for (const auto& c : cases) {
        channel->Pop(true);
        PointAt(c.dx, c.dy);
        channel->CheckPointer();
        EXPECT_EQ(channel->width(), c.staysOpen ? 200 : 10) << c.dx << "," << c.dy;
    }
}

TEST_F(SideChannelFixture, PinKeepsItOpenUntilReleased)
{
    channel->SetQuickMove(true);
    MoveOver(channel->SideBar());
    PointAt(-5, 5);

    QTest::mouseClick(channel->Pin(), Qt::LeftButton);
    EXPECT_TRUE(channel->StayOn());
    EXPECT_EQ(channel->Pin()->GlyphName(), QStringLiteral("SIDECHANNEL_BTN_ONTOP"));
    EXPECT_FALSE(channel->CloseTimer()->isActive());
    channel->CheckPointer();
    EXPECT_EQ(channel->width(), 200);

    QTest::mouseClick(channel->Pin(), Qt::LeftButton);
    EXPECT_FALSE(channel->StayOn());
    EXPECT_EQ(channel->Pin()->GlyphName(), QStringLiteral("SIDECHANNEL_BTN_NOONTOP"));
    ASSERT_TRUE(channel->CloseTimer()->isActive());
    EXPECT_EQ(channel->CloseTimer()->interval(), 500);
    QMetaObject::invokeMethod(channel->CloseTimer(), "timeout");
    EXPECT_EQ(channel->width(), 10);

    // StayOn from code opens and pins; clearing it collapses at once.
    widths.clear();
    channel->SetStayOn(true);
    EXPECT_EQ(channel->width(), 200);
    EXPECT_TRUE(channel->Pin()->Down());
    EXPECT_FALSE(channel->CloseTimer()->isActive());
    channel->SetStayOn(false);
    EXPECT_EQ(channel->width(), 10);
    EXPECT_FALSE(channel->Pin()->Down());
    EXPECT_EQ(widths, (std::vector<int>{200, 10}));
}

TEST_F(SideChannelFixture, SideBarWidthAndUserResizes)
{
    MoveOver(channel->SideBar());
    events.clear();
    channel->SetSideWidth(24);
    EXPECT_EQ(channel->width(), 24);
    EXPECT_EQ(channel->SideBarWidth(), 24);
    EXPECT_EQ(events, std::vector<std::string>{"push 24"});

    channel->SetQuickMove(true);
    MoveOver(channel->SideBar());
    channel->resize(40, channel->height());
    EXPECT_EQ(channel->width(), 200) << "an open panel refuses widths below 50";
    EXPECT_EQ(channel->Width(), 200);
    channel->resize(150, channel->height());
    EXPECT_EQ(channel->width(), 150);
    EXPECT_EQ(channel->Width(), 150);
    channel->Push(true);
    channel->Pop(true);
    EXPECT_EQ(channel->width(), 150);

    // The handler's answer comes first.
    channel->OnCanResize = [](QObject*, int&, int&, bool& resize) { resize = false; };
    channel->resize(120, channel->height());
    EXPECT_EQ(channel->width(), 150);
}

TEST_F(SideChannelFixture, DocksAtEitherEdgeAndTakesTheContainerStyle)
{
    channel->SetAlign(TsuiSideChannelAlign::suiRight);
    EXPECT_EQ(channel->geometry(), QRect(390, 0, 10, 300));
    channel->Pop(true);
    EXPECT_EQ(channel->geometry(), QRect(200, 0, 200, 300));
    dock->resize(500, 250);
    EXPECT_EQ(channel->geometry(), QRect(300, 0, 200, 250));
    channel->SetAlign(TsuiSideChannelAlign::suiLeft);
    EXPECT_EQ(channel->geometry(), QRect(0, 0, 200, 250));

    QWidget other(&window);
    other.setGeometry(0, 0, 300, 200);
    other.show();
    channel->setParent(&other);
    EXPECT_EQ(channel->geometry(), QRect(0, 0, 200, 200));
    other.resize(300, 180);
    EXPECT_EQ(channel->height(), 180);
    dock->resize(400, 300);
    EXPECT_EQ(channel->height(), 180);
    channel->setParent(dock);
    channel->show();

    ContainerApplyUIStyle(dock, WinXP);
    EXPECT_EQ(channel->Color(), 0xDEEBEFu);
    EXPECT_EQ(channel->SideBarColor(), 0xDEEBEFu);
    const QImage shot = dock->grab().toImage();
    // Below the bar button, in the side bar; and in the caption strip.
    EXPECT_EQ(FromQRgb(shot.pixel(9, 240)), 0xDEEBEFu);
    EXPECT_EQ(FromQRgb(shot.pixel(2, 2)), 0xDEEBEFu);
}
