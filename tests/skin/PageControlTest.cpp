#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "skin/SuiButton.h"
#include "skin/SuiPageControl.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The main window's pages: WinXP, left margin 10, sky-blue border, white.
struct Pages : ::testing::Test
{
    QWidget window;
    TsuiPageControl* pages = new TsuiPageControl(&window);
    TsuiTabSheet* sheets[3] = {};
    std::vector<int> activated;

    void SetUp() override
    {
        window.resize(496, 354);
        pages->SetBounds(147, 26, 339, 323);
        pages->SetUIStyle(WinXP);
        pages->SetLeftMargin(10);
        pages->SetBorderColor(clSkyBlue);
        pages->SetColor(clWhite);
        const QString captions[] = {QStringLiteral("功能限制类"), QStringLiteral("网络安全类"),
                                    QStringLiteral("性能优化类")};
        for (int i = 0; i < 3; ++i) {
            sheets[i] = new TsuiTabSheet(pages);
            sheets[i]->SetCaption(captions[i]);
        }
        pages->SetActivePageIndex(0);
        pages->OnTabActive = [this](QObject* sender, int index) {
            EXPECT_EQ(sender, pages);
            activated.push_back(index);
        };
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void ClickTab(int index)
    {
        const TRect r = pages->TopPanel()->TabRects().at(std::size_t(index));
        QTest::mouseClick(pages->TopPanel(), Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, 9));
    }

    void ExpectOnlyVisible(int index)
    {
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(sheets[i]->isVisible(), i == index) << "sheet " << i;
    }
};

} // namespace

TEST_F(Pages, SheetsFillTheBodyBelowA19PixelStrip)
{
    EXPECT_EQ(pages->TopPanel()->geometry(), QRect(0, 0, 339, 19));
    for (TsuiTabSheet* sheet : sheets)
        EXPECT_EQ(sheet->geometry(), QRect(0, 19, 339, 304));
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    ExpectOnlyVisible(0);
    EXPECT_EQ(pages->TopPanel()->Tabs(),
              QStringList({QStringLiteral("功能限制类"), QStringLiteral("网络安全类"),
                           QStringLiteral("性能优化类")}));
}

TEST_F(Pages, ClickingATabSwitchesPages)
{
    int shown = 0;
    sheets[2]->OnShow = [&](QObject* sender) {
        EXPECT_EQ(sender, sheets[2]);
        ++shown;
    };
    ClickTab(2);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    ExpectOnlyVisible(2);
    EXPECT_EQ(shown, 1);
    ClickTab(1);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    ExpectOnlyVisible(1);
    // Clicking the active tab activates it again.
    ClickTab(1);
    EXPECT_EQ(activated, std::vector<int>({2, 1, 1}));
}

TEST_F(Pages, ClicksOnTabBoundariesRowZeroOrPastTheTabsMiss)
{
    const std::vector<TRect> rects = pages->TopPanel()->TabRects();
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].Left, 10);
    EXPECT_EQ(rects[1].Left, rects[0].Right);
    TsuiTabControlTopPanel* strip = pages->TopPanel();
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(rects[1].Left, 9));
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(rects[1].Left + 5, 0));
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(5, 9));
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(rects[2].Right + 5, 9));
    EXPECT_TRUE(activated.empty());
    EXPECT_EQ(pages->ActivePageIndex(), 0);
}

TEST_F(Pages, HiddenPagesKeepTheirControlsOutOfReach)
{
    auto* onFirst = new TsuiButton(sheets[0]);
    auto* onSecond = new TsuiButton(sheets[1]);
    onFirst->show();
    onSecond->show();
    EXPECT_TRUE(onFirst->isVisible());
    EXPECT_FALSE(onSecond->isVisible());
    pages->SetActivePageIndex(1);
    EXPECT_TRUE(onSecond->isVisible());
    EXPECT_FALSE(onFirst->isVisible());
    pages->SetActivePageIndex(7);
    EXPECT_EQ(pages->ActivePageIndex(), 1) << "out of range is ignored";
}

TEST_F(Pages, StripAndSheetPixels)
{
    const TBitmap active = LoadSkinBitmap(QStringLiteral("WINXP_TAB_ACTIVE"));
    ASSERT_EQ(active.Width(), 9);
    ASSERT_EQ(active.Height(), 18);
    const QImage strip = pages->TopPanel()->PaintToImage();
    ASSERT_EQ(strip.size(), QSize(339, 19));
    // The active first tab's left cap, unscaled, one pixel down from x = 10.
    const TColor key = active.Pixel(0, 0);
    int compared = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 3; ++x)
            if (active.Pixel(x, y) != key) {
                EXPECT_EQ(FromQRgb(strip.pixel(10 + x, 1 + y)), active.Pixel(x, y)) << x << "," << y;
                ++compared;
            }
    EXPECT_GT(compared, 20);
    // The line's ends are closed in the border colour.
    EXPECT_EQ(FromQRgb(strip.pixel(0, 18)), clSkyBlue);
    EXPECT_EQ(FromQRgb(strip.pixel(338, 18)), clSkyBlue);

    const QImage sheet = sheets[0]->PaintToImage();
    EXPECT_EQ(FromQRgb(sheet.pixel(0, 100)), clSkyBlue);
    EXPECT_EQ(FromQRgb(sheet.pixel(338, 100)), clSkyBlue);
    EXPECT_EQ(FromQRgb(sheet.pixel(100, 303)), clSkyBlue);
    EXPECT_EQ(FromQRgb(sheet.pixel(100, 0)), clWhite) << "no top edge";
    EXPECT_EQ(FromQRgb(sheet.pixel(100, 100)), clWhite);
}

TEST_F(Pages, EmptyCaptionTabIs80Wide)
{
    sheets[1]->SetCaption(QString());
    const std::vector<TRect> rects = pages->TopPanel()->TabRects();
    EXPECT_EQ(rects[1].Width(), 80);
    EXPECT_GT(rects[0].Width(), 20);
}

TEST_F(Pages, HidingTabsActivatesTheNearestShownOne)
{
    pages->SetActivePageIndex(1);
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(pages->TopPanel()->TabRects()[1].Width(), 0);
    sheets[0]->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    sheets[1]->SetTabVisible(true);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(pages->FindNextVisiblePage(1), 2);
    EXPECT_EQ(pages->FindPrevVisiblePage(1), 2) << "wraps past the hidden first page";
}

TEST_F(Pages, RemovingTheFirstPageLeavesNoneActive)
{
    sheets[0]->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(sheets[1]->PageIndex(), 0);
    EXPECT_EQ(sheets[2]->PageIndex(), 1);
    EXPECT_EQ(pages->TopPanel()->Tabs().size(), 2);
    EXPECT_FALSE(sheets[1]->isVisible());
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[2]);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->TopPanel()->Tabs().first(), QStringLiteral("性能优化类"));
}

TEST_F(Pages, StyleReachesTheControlsOnThePages)
{
    auto* button = new TsuiButton(sheets[1]);
    button->SetUIStyle(MacOS);
    pages->SetUIStyle(Custom);
    EXPECT_EQ(pages->UIStyle(), WinXP) << "Custom is ignored";
    pages->SetUIStyle(Protein);
    EXPECT_EQ(button->UIStyle(), Protein);
    EXPECT_EQ(pages->TopPanel()->height(), 22);
    EXPECT_EQ(sheets[0]->geometry(), QRect(0, 22, 339, 301));
    EXPECT_EQ(pages->BorderColor(), GetThemeColor(Protein, teControlBorderColor));
}

TEST_F(Pages, ActivatingAPageRaisesTabActiveTwiceAndShowThreeTimes)
{
    int shown = 0;
    sheets[2]->OnShow = [&](QObject*) { ++shown; };
    pages->SetActivePageIndex(2);
    EXPECT_EQ(activated, std::vector<int>({2, 2}));
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(pages->GetCurPage(), sheets[2]);
    pages->ShowControl(sheets[1]);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(activated.size(), 4u);
}

TEST_F(Pages, EditorFunctionsAddAndRemovePagesAndTheDesignHitSwitchesTabs)
{
    int modified = 0;
    pages->OnDesignModified = [&](QObject*) { ++modified; };
    new QWidget(&window); // an unrelated control already named like the next sheet
    window.findChildren<QWidget*>().last()->setObjectName(QStringLiteral("suiTabSheet4"));
    TsuiTabSheet* added = PageControl_InsertPage(pages);
    EXPECT_EQ(added->objectName(), QStringLiteral("suiTabSheet5"));
    EXPECT_EQ(added->Caption(), QStringLiteral("suiTabSheet5"));
    EXPECT_EQ(pages->PageCount(), 4);
    EXPECT_EQ(pages->ActivePage(), added);
    EXPECT_EQ(TabSheet_InsertPage(added)->PageIndex(), 4);

    auto* strip = static_cast<TsuiPageControlTopPanel*>(pages->TopPanel());
    const TRect second = strip->TabRects()[1];
    EXPECT_FALSE(strip->DesignHitTest(second.Left + 5, 9, Qt::NoButton));
    EXPECT_EQ(pages->ActivePageIndex(), 4);
    EXPECT_FALSE(strip->DesignHitTest(second.Left + 5, 9, Qt::LeftButton));
    EXPECT_EQ(pages->ActivePage(), sheets[1]);

    PageControl_RemovePage(pages); // the current page, sheets[1]
    EXPECT_EQ(pages->PageCount(), 4);
    EXPECT_EQ(pages->Pages(1)->Caption(), QStringLiteral("性能优化类"));
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    TabSheet_RemovePage(sheets[0]);
    EXPECT_EQ(modified, 5);
    EXPECT_TRUE(TabSheet_CanRemove(sheets[2]));
    while (PageControl_CanRemove(pages))
        TabSheet_RemovePage(pages->Pages(0));
    EXPECT_EQ(pages->PageCount(), 0);
    EXPECT_FALSE(PageControl_CanRemove(pages));
}

TEST(PageOrder, TheStoredOrderWinsOverTheOrderOfCreation)
{
    QWidget window;
    auto* pages = new TsuiPageControl(&window);
    pages->setObjectName(QStringLiteral("suiPageControl1"));
    int raised = 0;
    pages->OnTabActive = [&](QObject*, int) { ++raised; };
    pages->SetLoading(true);
    pages->ReadPages({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")});
    // Created third page first, as the main window's description lists them.
    for (const char* name : {"third", "second", "first"}) {
        auto* sheet = new TsuiTabSheet(pages);
        sheet->setObjectName(QString::fromLatin1(name));
        sheet->SetCaption(QString::fromLatin1(name).toUpper());
        if (QLatin1String(name) == QLatin1String("second"))
            sheet->SetTabVisible(false);
        sheet->ReadPageControl(QStringLiteral("suiPageControl1"));
    }
    pages->SetLoading(false);
    EXPECT_EQ(raised, 0) << "nothing is raised while loading";
    EXPECT_EQ(pages->WritePages(), QStringList({"first", "second", "third"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pages->Pages(i)->PageIndex(), i);
    EXPECT_EQ(pages->Tabs(), QStringList({"FIRST", "SECOND", "THIRD"}));
    EXPECT_EQ(pages->TopPanel()->TabRects()[1].Width(), 0) << "the hidden tab stays hidden";
    EXPECT_EQ(pages->Pages(2)->WritePageControl(), QStringLiteral("suiPageControl1"));
}

namespace {

struct StripHeight
{
    TsuiUIStyle style;
    int height;
};

class TabControlStrip : public ::testing::TestWithParam<StripHeight>
{
};

} // namespace

TEST_P(TabControlStrip, StartsWithTab1AndTheLooksStripHeight)
{
    QWidget window;
    auto* tabs = new TsuiTabControl(&window);
    auto* button = new TsuiButton(tabs);
    button->SetUIStyle(WinXP);
    std::vector<int> activated;
    tabs->OnTabActive = [&](QObject*, int index) { activated.push_back(index); };
    tabs->SetUIStyle(GetParam().style);
    EXPECT_EQ(tabs->TopPanel()->height(), GetParam().height);
    EXPECT_EQ(tabs->BodyRect().Top, GetParam().height);
    EXPECT_EQ(button->UIStyle(), GetParam().style) << "the body's controls take the style";
    EXPECT_EQ(tabs->Color(),
              GetParam().style == WinXP ? clWhite : GetThemeColor(GetParam().style, teControlColor));
    EXPECT_EQ(tabs->Tabs(), QStringList({"Tab1"}));
    EXPECT_EQ(tabs->TabIndex(), 0);

    const TFont font = tabs->Font();
    tabs->SetTabs({"Tab1", "", "Longer caption"});
    const std::vector<TRect> rects = tabs->TopPanel()->TabRects();
    EXPECT_EQ(rects[0].Width(), MeasureTextWidth(font, "Tab1") + 20);
    EXPECT_EQ(rects[1].Width(), 80);
    EXPECT_EQ(rects[2].Left, rects[1].Right);
    tabs->SetTabIndex(2);
    tabs->SetTabIndex(3);
    EXPECT_EQ(tabs->TabIndex(), 2) << "out of range";
    tabs->SetTabs({});
    tabs->SetTabIndex(0);
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_EQ(activated, std::vector<int>({2}));
}

INSTANTIATE_TEST_SUITE_P(EveryLook, TabControlStrip,
                         ::testing::Values(StripHeight{MacOS, 34}, StripHeight{WinXP, 19},
                                           StripHeight{DeepBlue, 22}, StripHeight{Protein, 22},
                                           StripHeight{BlueGlass, 22}));

TEST_F(Pages, SelectingTheNextPageWithNoOtherShownTabLeavesNoneActive)
{
    for (const bool forward : {true, false}) {
        for (TsuiTabSheet* sheet : sheets)
            sheet->SetTabVisible(true);
        pages->SetActivePageIndex(0);
        pages->SelectNextPage(forward);
        EXPECT_EQ(pages->ActivePage(), sheets[forward ? 1 : 2]) << forward;
        sheets[0]->SetTabVisible(false);
        sheets[2]->SetTabVisible(false);
        ASSERT_EQ(pages->ActivePage(), sheets[1]);
        pages->SelectNextPage(forward);
        EXPECT_EQ(pages->ActivePage(), nullptr) << forward;
        EXPECT_EQ(pages->TopPanel()->TabIndex(), -1);
        ExpectOnlyVisible(-1);
    }
}
