#include "skin/SuiButton.h"
#include "skin/SuiListBox.h"
#include "skin/SuiStyleRules.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A list box at (10, 10), 150 x 100, rows 16 high: six rows show.
struct LinkedList : ::testing::Test
{
    QWidget window;
    TsuiListBox* list = new TsuiListBox(&window);
    TsuiScrollBar* bar = new TsuiScrollBar(&window);

    void SetUp() override
    {
        window.resize(300, 200);
        bar->SetUIStyle(Protein);
        list->SetBounds(10, 10, 150, 100);
        list->SetItemHeight(16);
        window.show();
    }

    QScrollBar* Native() const { return list->ListWidget()->verticalScrollBar(); }

    void Fill(int count)
    {
        QStringList items;
        for (int i = 0; i < count; ++i)
            items << QStringLiteral("item %1").arg(i);
        list->SetItems(items);
    }
};

} // namespace

TEST_F(LinkedList, BarLiesOverTheNativeBarAndFollowsTheList)
{
    struct Case
    {
        TsuiUIStyle look;
        QRect listBounds;
        QRect barBounds;
    };
    const Case cases[] = {
        {Protein, {10, 10, 150, 100}, {142, 11, 16, 98}},
        {BlueGlass, {12, 10, 150, 100}, {143, 11, 17, 98}},
        {Protein, {30, 40, 120, 60}, {132, 41, 16, 58}},
    };
    list->SetVScrollBar(bar);
    for (const Case& c : cases) {
        bar->SetUIStyle(c.look);
        list->setGeometry(c.listBounds);
        EXPECT_EQ(bar->geometry(), c.barBounds) << c.look;
        EXPECT_EQ(bar->Orientation(), suiVertical);
        // The native bar beneath is as thick, so no text hides under it.
        EXPECT_EQ(Native()->sizeHint().width(), c.barBounds.width()) << c.look;
    }
}

TEST_F(LinkedList, BarShowsOnlyWhileTheNativeBarIsUsable)
{
    struct Case
    {
        int items;
        bool enabled;
        bool shown;
        int max;
    };
    // Max is the native range's max - page + 1: the last first-visible row.
    const Case cases[] = {
        {0, true, false, 0},    {6, true, false, 0},      {7, true, true, 1},
        {200, true, true, 194}, {200, false, false, 194}, {3, true, false, 0},
    };
    list->SetVScrollBar(bar);
    for (const Case& c : cases) {
        list->SetEnabled(c.enabled);
        Fill(c.items);
        EXPECT_EQ(bar->Visible(), c.shown) << c.items << " items";
        EXPECT_EQ(bar->Enabled(), c.shown) << c.items << " items";
        EXPECT_EQ(bar->Max(), c.max) << c.items << " items";
        EXPECT_EQ(bar->Min(), 0);
        if (!c.shown) {
            EXPECT_EQ(bar->LineButton(), 0);
        }
    }
    Fill(200);
    // Once Qt has laid the shown native bar out, the slider is its thumb.
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->LineButton(), std::max(NativeThumbLength(Native()), 18));
    EXPECT_LT(bar->LineButton(), 40);
}

TEST_F(LinkedList, BarAndListScrollEachOtherWithoutEcho)
{
    list->SetVScrollBar(bar);
    Fill(200);
    int echoes = 0;
    QObject::connect(Native(), &QScrollBar::valueChanged, [&] { ++echoes; });

    Native()->setValue(30);
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_EQ(echoes, 1) << "the bar does not scroll the list back";
    bar->SetPosition(50);
    EXPECT_EQ(Native()->value(), 50);
    EXPECT_EQ(echoes, 2);
    QTest::mouseClick(bar->SecondButton(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(Native()->value(), 51);

    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    QTest::keyClick(list->ListWidget(), Qt::Key_End);
    EXPECT_EQ(list->ItemIndex(), 199);
    EXPECT_EQ(bar->Position(), 194);
    QWheelEvent wheel(QPointF(50, 50), list->ListWidget()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->ListWidget()->viewport(), &wheel);
    EXPECT_LT(Native()->value(), 194);
    EXPECT_EQ(bar->Position(), Native()->value());
}

TEST_F(LinkedList, RelinkingReleasesTheOldBarAndDeletingUnlinks)
{
    auto* other = new TsuiScrollBar(&window);
    list->SetVScrollBar(bar);
    Fill(200);
    Native()->setValue(20);
    list->SetVScrollBar(other);
    EXPECT_EQ(bar->LineButton(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_TRUE(bar->Enabled());
    bar->SetPosition(5);
    EXPECT_EQ(Native()->value(), 20) << "a released bar no longer scrolls the list";
    EXPECT_EQ(other->Position(), 20);

    other->deleteLater(); // the form frees the bar: the link goes with it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(list->VScrollBar(), nullptr);
    Native()->setValue(40); // nothing to follow any more

    list->SetVScrollBar(bar);
    list->deleteLater(); // and a list freed first leaves its bar working
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    bar->SetPosition(60);
    EXPECT_EQ(bar->Position(), 60);
}

TEST(CheckListBox, BorderAlwaysReadsSingleAndOne)
{
    QWidget window;
    auto* box = new TsuiCheckListBox(&window);
    box->SetBounds(0, 0, 100, 80);
    for (const int width : {5, 0, 2, 1}) {
        box->SetBorderWidth(width);
        EXPECT_EQ(box->BorderWidth(), 1) << width;
        EXPECT_EQ(box->ListWidget()->geometry(), QRect(1, 1, 98, 78)) << width;
    }
    for (const TBorderStyle style : {bsNone, bsSingle}) {
        box->SetBorderStyle(style);
        EXPECT_EQ(box->BorderStyle(), bsSingle);
        EXPECT_EQ(box->ListWidget()->frameShape(), QFrame::NoFrame);
    }
}

TEST(CheckListBox, FlatBoxesAndUserTicks)
{
    QWidget window;
    auto* box = new TsuiCheckListBox(&window);
    box->SetBounds(0, 0, 120, 80);
    box->SetItems({QStringLiteral("one"), QStringLiteral("two")});
    int clicks = 0;
    box->OnClickCheck = [&](QObject* sender) {
        EXPECT_EQ(sender, box);
        ++clicks;
    };
    box->SetChecked(1, true);
    box->SetChecked(7, true);
    EXPECT_EQ(clicks, 0) << "only the user's ticks are reported";
    EXPECT_FALSE(box->Checked(0));
    EXPECT_TRUE(box->Checked(1));
    EXPECT_FALSE(box->Checked(7));
    EXPECT_GE(box->ItemHeight(), 13);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    box->SetItemIndex(0);
    box->setFocus();
    QTest::keyClick(box->ListWidget(), Qt::Key_Space);
    EXPECT_TRUE(box->Checked(0));
    EXPECT_EQ(clicks, 1);

    // The flat box: a shadow frame round the window colour, the tick in the
    // text colour, whose lowest column is the third.
    const QImage shot = box->grab().toImage();
    const QRect cell = box->ListWidget()->visualItemRect(box->ListWidget()->item(1));
    const auto shadow = [&](int x, int y) { return FromQRgb(shot.pixel(x, y)) == ColorToRGB(clBtnShadow); };
    QPoint corner(1, 1 + cell.center().y());
    while (corner.x() < 30 && !shadow(corner.x(), corner.y()))
        corner.rx()++;
    while (corner.y() > 0 && shadow(corner.x(), corner.y() - 1))
        corner.ry()--;
    ASSERT_LT(corner.x(), 30) << "no flat box on the row";
    struct Pixel
    {
        int dx, dy;
        TColor color;
    };
    const Pixel pixels[] = {{0, 0, clBtnShadow},  {12, 12, clBtnShadow}, {0, 12, clBtnShadow},
                            {1, 1, clWindow},     {11, 11, clWindow},    {5, 7, clWindowText},
                            {5, 9, clWindowText}, {5, 10, clWindow},     {9, 3, clWindowText},
                            {9, 6, clWindow}};
    for (const Pixel& p : pixels)
        EXPECT_EQ(FromQRgb(shot.pixel(corner + QPoint(p.dx, p.dy))), ColorToRGB(p.color))
            << p.dx << "," << p.dy;

    int itemClicks = 0;
    box->OnClick = [&](QObject*) { ++itemClicks; };
    const QRect text = box->ListWidget()->visualItemRect(box->ListWidget()->item(1));
    QTest::mouseClick(box->ListWidget()->viewport(), Qt::LeftButton, {}, text.center());
    EXPECT_EQ(itemClicks, 1);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_TRUE(box->Checked(1)) << "a click on the text selects without ticking";
    EXPECT_EQ(clicks, 1);
}

TEST(FramedLists, FrameIsBorderColourOutsideFaceColourInside)
{
    struct Case
    {
        const char* name;
        std::function<TsuiFramedView*(QWidget*)> make;
        int inset;
    };
    const Case cases[] = {
        {"list box", [](QWidget* p) { return new TsuiListBox(p); }, 2},
        {"check list box", [](QWidget* p) { return new TsuiCheckListBox(p); }, 1},
        {"list view", [](QWidget* p) { return new TsuiListView(p); }, 2},
        {"tree view", [](QWidget* p) { return new TsuiTreeView(p); }, 2},
    };
    const TColor border = RGB(10, 20, 200);
    const TColor face = RGB(250, 240, 230);
    for (const Case& c : cases) {
        QWidget window;
        TsuiFramedView* control = c.make(&window);
        control->SetBounds(5, 5, 120, 90);
        control->SetBorderColor(border);
        control->SetColor(face);
        const QImage shot = control->grab().toImage();
        ASSERT_EQ(shot.size(), QSize(120, 90)) << c.name;
        for (const QPoint p : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 89), QPoint(119, 89), QPoint(60, 89)})
            EXPECT_EQ(FromQRgb(shot.pixel(p)), border) << c.name << " " << p.x() << "," << p.y();
        for (const QPoint p : {QPoint(1, 1), QPoint(118, 88), QPoint(1, 45), QPoint(118, 45), QPoint(60, 60)})
            EXPECT_EQ(FromQRgb(shot.pixel(p)), face) << c.name << " " << p.x() << "," << p.y();
        const auto* view = control->findChild<QAbstractItemView*>();
        EXPECT_EQ(view->geometry(), QRect(c.inset, c.inset, 120 - 2 * c.inset, 90 - 2 * c.inset)) << c.name;
        EXPECT_EQ(view->palette().color(QPalette::Base), ToQColor(face)) << c.name;
    }
}

TEST(FramedLists, BorderColourFromTheFormAndTheContainerRule)
{
    struct Form : QWidget, TsuiStyledForm
    {
        TsuiUIStyle FormUIStyle() const override { return WinXP; }
        TColor FormColor() const override { return clBtnFace; }
    };
    QWidget window;
    auto* frame = new Form;
    frame->setParent(&window);
    const std::vector<TsuiFramedView*> controls = {new TsuiListBox(&window), new TsuiCheckListBox(&window),
                                                   new TsuiListView(&window), new TsuiTreeView(&window)};
    for (TsuiFramedView* control : controls)
        EXPECT_EQ(control->BorderColor(), TColor(0x686868)) << control->metaObject()->className();
    ContainerApplyUIStyle(&window, MacOS);
    for (TsuiFramedView* control : controls)
        EXPECT_EQ(control->BorderColor(), TColor(0x7F7F7F)) << control->metaObject()->className();
}

TEST(FramedLists, RowsFollowTheFontOrAFixedHeight)
{
    QWidget window;
    auto* list = new TsuiListBox(&window);
    list->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    TFont font;
    font.Size = 12;
    list->SetFont(font);
    const int fontHeight = QFontMetrics(font.ToQFont()).height();
    struct Case
    {
        int set;
        int height;
    };
    for (const Case c : {Case{0, fontHeight}, Case{20, 20}, Case{9, 9}, Case{-3, fontHeight}}) {
        list->SetItemHeight(c.set);
        EXPECT_EQ(list->ItemHeight(), c.height) << c.set;
        EXPECT_EQ(list->ListWidget()->visualItemRect(list->ListWidget()->item(1)).top(), c.height) << c.set;
    }
}

TEST(FramedLists, ListViewColumnsAndRows)
{
    QWidget window;
    auto* view = new TsuiListView(&window);
    view->AddColumn(QStringLiteral("名称"), 80);
    view->AddColumn(QStringLiteral("Size"), 40);
    for (int i = 0; i < 3; ++i)
        view->AddItem({QStringLiteral("file %1").arg(i), QString::number(i * 10)});
    EXPECT_EQ(view->TreeWidget()->columnCount(), 2);
    EXPECT_EQ(view->TreeWidget()->headerItem()->text(0), QStringLiteral("名称"));
    EXPECT_EQ(view->TreeWidget()->columnWidth(1), 40);
    EXPECT_EQ(view->Count(), 3);
    EXPECT_EQ(view->ItemIndex(), -1);
    view->SetItemIndex(2);
    view->SetItemIndex(9);
    EXPECT_EQ(view->ItemIndex(), 2);
    EXPECT_EQ(view->TreeWidget()->currentItem()->text(1), QStringLiteral("20"));

    auto* tree = new TsuiTreeView(&window);
    QTreeWidgetItem* root = tree->AddItem(nullptr, QStringLiteral("root"));
    QTreeWidgetItem* leaf =
        tree->AddItem(tree->AddItem(root, QStringLiteral("child")), QStringLiteral("leaf"));
    tree->SetSelected(leaf);
    EXPECT_EQ(tree->Selected(), leaf);
    EXPECT_EQ(leaf->parent()->parent(), root);
    EXPECT_TRUE(tree->TreeWidget()->isHeaderHidden());
}
