#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct EditFixture : ::testing::Test
{
    QWidget window;
    TsuiEdit* first = new TsuiEdit(&window);
    TsuiEdit* second = new TsuiEdit(&window);

    void SetUp() override
    {
        window.resize(300, 120);
        first->SetBounds(10, 10, 121, 19);
        second->SetBounds(10, 40, 121, 19);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace

TEST_F(EditFixture, PasswordShowsStarsAndKeepsTheTypedText)
{
    first->SetPasswordChar(QLatin1Char('*'));
    int changes = 0;
    first->OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, first);
        ++changes;
    };
    first->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab1"));
    EXPECT_EQ(first->Text(), QStringLiteral("ab1"));
    EXPECT_EQ(first->LineEdit()->displayText(), QStringLiteral("***"));
    EXPECT_EQ(changes, 3);

    first->SetPasswordChar(QChar());
    EXPECT_EQ(first->LineEdit()->displayText(), QStringLiteral("ab1"));
    first->SetPasswordChar(QLatin1Char('#'));
    EXPECT_EQ(first->LineEdit()->displayText(), QStringLiteral("###"));
}

TEST_F(EditFixture, SetTextAndTabOrder)
{
    second->SetText(QStringLiteral("密码"));
    EXPECT_EQ(second->Text(), QStringLiteral("密码"));
    first->setFocus();
    EXPECT_TRUE(first->LineEdit()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(second->LineEdit()->hasFocus());
}

TEST_F(EditFixture, DisabledEditTakesNoInput)
{
    first->SetEnabled(false);
    EXPECT_FALSE(first->LineEdit()->isEnabled());
    first->setFocus();
    EXPECT_FALSE(first->LineEdit()->hasFocus());
    QTest::keyClicks(first->LineEdit(), QStringLiteral("x"));
    EXPECT_TRUE(first->Text().isEmpty());
}

TEST_F(EditFixture, FrameIsBorderColourOutsideFaceColourInside)
{
    first->SetBorderColor(clBlack);
    first->SetColor(RGB(250, 240, 230));
    const QImage shot = first->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(121, 19));
    for (const QPoint p :
         {QPoint(0, 0), QPoint(120, 0), QPoint(0, 18), QPoint(120, 18), QPoint(60, 0), QPoint(0, 9)})
        EXPECT_EQ(FromQRgb(shot.pixel(p)), clBlack) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(1, 1), QPoint(119, 1), QPoint(1, 17), QPoint(119, 17), QPoint(60, 1)})
        EXPECT_EQ(FromQRgb(shot.pixel(p)), RGB(250, 240, 230)) << p.x() << "," << p.y();
    EXPECT_EQ(first->LineEdit()->geometry(), QRect(2, 2, 117, 15));
}

namespace {

// A memo at (10, 10), 200 x 100, with two 16-pixel Protein bars.
struct Memo : ::testing::Test
{
    QWidget window;
    TsuiMemo* memo = new TsuiMemo(&window);
    TsuiScrollBar* vertical = new TsuiScrollBar(&window);
    TsuiScrollBar* horizontal = new TsuiScrollBar(&window);

    void SetUp() override
    {
        window.resize(300, 200);
        for (TsuiScrollBar* bar : {vertical, horizontal})
            bar->SetUIStyle(Protein);
        memo->SetBounds(10, 10, 200, 100);
        memo->SetWordWrap(false);
        window.show();
    }
};

} // namespace

TEST_F(Memo, LinkedBarsLieOverTheNativeOnes)
{
    memo->SetVScrollBar(vertical);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(vertical->geometry(), QRect(192, 11, 16, 99));
    memo->SetHScrollBar(horizontal);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    EXPECT_EQ(vertical->geometry(), QRect(192, 11, 16, 83));
    EXPECT_EQ(horizontal->geometry(), QRect(11, 92, 183, 16));
    EXPECT_EQ(horizontal->Orientation(), suiHorizontal);
    // The native bars beneath are as thick, so no text hides under them.
    EXPECT_EQ(memo->Edit()->verticalScrollBar()->sizeHint().width(), 16);
    EXPECT_EQ(memo->Edit()->horizontalScrollBar()->sizeHint().height(), 16);
    memo->move(20, 30);
    EXPECT_EQ(vertical->pos(), QPoint(202, 31)) << "the bars follow the memo";

    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal);
    EXPECT_EQ(vertical->Max(), 100) << "a released bar";
    EXPECT_TRUE(vertical->Enabled());
    EXPECT_EQ(vertical->LineButton(), 0);
    horizontal->deleteLater(); // the form frees a bar: the link goes with it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(memo->HScrollBar(), nullptr);
    memo->SetVScrollBar(vertical);
    memo->deleteLater(); // and a memo freed first leaves its bars working
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    vertical->SetMax(100);
    vertical->SetPosition(40);
    EXPECT_EQ(vertical->Position(), 40);
}

TEST_F(Memo, BarsFollowTheNativeStateBothWays)
{
    memo->SetVScrollBar(vertical);
    memo->SetHScrollBar(horizontal);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QScrollBar* native = memo->Edit()->verticalScrollBar();
    EXPECT_FALSE(vertical->Enabled()) << "the text fits";
    EXPECT_FALSE(vertical->SliderVisible());

    QStringList lines;
    for (int i = 0; i < 80; ++i)
        lines << QStringLiteral("line %1 ").arg(i).repeated(8);
    memo->SetLines(lines);
    ASSERT_GT(native->maximum(), 0);
    EXPECT_TRUE(vertical->Enabled());
    EXPECT_TRUE(vertical->SliderVisible());
    EXPECT_EQ(vertical->Max(), native->maximum());
    // The native thumb's length, at least the shortest slider.
    EXPECT_GE(vertical->LineButton(), 18);
    EXPECT_LT(vertical->LineButton(), 60);
    EXPECT_TRUE(horizontal->Enabled());

    int echoes = 0;
    QObject::connect(native, &QScrollBar::valueChanged, [&] { ++echoes; });
    native->setValue(30);
    EXPECT_EQ(vertical->Position(), 30);
    EXPECT_EQ(echoes, 1) << "the bar does not scroll the memo back";
    vertical->SetPosition(50);
    EXPECT_EQ(native->value(), 50);
    EXPECT_EQ(echoes, 2);
    QTest::mouseClick(vertical->SecondButton(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(native->value(), 51);

    QWheelEvent wheel(QPointF(50, 50), memo->Edit()->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(memo->Edit()->viewport(), &wheel);
    EXPECT_GT(native->value(), 51);
    EXPECT_EQ(vertical->Position(), native->value());
}

TEST(EditFont, EditsWriteInTheirParentsFont)
{
    TControl parent;
    TFont font;
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = 8;
    parent.SetFont(font);
    auto* edit = new TsuiEdit(&parent);
    auto* memo = new TsuiMemo(&parent);
    EXPECT_EQ(edit->Font(), font);
    EXPECT_EQ(edit->LineEdit()->font().pixelSize(), font.ToQFont().pixelSize());
    font.Size = 12;
    parent.SetFont(font);
    EXPECT_EQ(edit->LineEdit()->font().pixelSize(), font.ToQFont().pixelSize());
    EXPECT_EQ(memo->Edit()->font().pixelSize(), font.ToQFont().pixelSize());
    TFont own;
    own.Size = 20;
    edit->SetFont(own);
    parent.SetFont(font);
    EXPECT_EQ(edit->Font(), own);
}

namespace {

// Types any text, one key press per character, as an input method would.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

} // namespace

TEST_F(EditFixture, CharCaseAndOEMConvertHoldTypedAndSetText)
{
    struct Case
    {
        TEditCharCase CharCase;
        bool OEMConvert;
        const char* Typed;
        const char* Kept;
    };
    const Case cases[] = {
        {ecUpperCase, false, "Ab中x", "AB中X"},
        {ecLowerCase, false, "Ab中X", "ab中x"},
        {ecNormal, true, "aก中", "a?中"},
        {ecNormal, false, "aก中", "aก中"},
    };
    first->setFocus();
    for (const Case& c : cases) {
        first->SetText(QString());
        first->SetCharCase(c.CharCase);
        first->SetOEMConvert(c.OEMConvert);
        Type(first->LineEdit(), QString::fromUtf8(c.Typed));
        EXPECT_EQ(first->Text(), QString::fromUtf8(c.Kept)) << c.Typed;
        EXPECT_EQ(first->LineEdit()->cursorPosition(), first->Text().size());
        first->SetText(QString::fromUtf8(c.Typed));
        EXPECT_EQ(first->Text(), QString::fromUtf8(c.Kept)) << "set: " << c.Typed;
    }
    first->SetCharCase(ecNormal);
    first->SetText(QStringLiteral("mixed"));
    first->SetCharCase(ecUpperCase);
    EXPECT_EQ(first->Text(), QStringLiteral("MIXED")) << "the text there is";
}

TEST_F(EditFixture, AutoSelectAndHideSelectionFollowTheFocus)
{
    const auto focus = [](QLineEdit* edit, QEvent::Type type, Qt::FocusReason reason) {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(edit, &event);
    };
    struct Case
    {
        bool AutoSelect;
        Qt::FocusReason Reason;
        bool Selected;
    };
    const Case cases[] = {{true, Qt::TabFocusReason, true},
                          {true, Qt::OtherFocusReason, true},
                          {true, Qt::MouseFocusReason, false},
                          {false, Qt::TabFocusReason, false}};
    first->SetText(QStringLiteral("secret"));
    for (const Case& c : cases) {
        first->LineEdit()->deselect();
        first->SetAutoSelect(c.AutoSelect);
        focus(first->LineEdit(), QEvent::FocusIn, c.Reason);
        EXPECT_EQ(first->LineEdit()->selectedText() == QStringLiteral("secret"), c.Selected)
            << c.AutoSelect << " " << c.Reason;
        focus(first->LineEdit(), QEvent::FocusOut, Qt::TabFocusReason);
    }
    for (const bool hide : {true, false}) {
        first->SetHideSelection(hide);
        first->LineEdit()->setSelection(1, 3);
        focus(first->LineEdit(), QEvent::FocusOut, Qt::TabFocusReason);
        EXPECT_EQ(first->LineEdit()->selectedText(), hide ? QString() : QStringLiteral("ecr")) << hide;
    }
}

TEST_F(EditFixture, ImeModeDisableTurnsInputMethodsOff)
{
    EXPECT_EQ(first->ImeMode(), imDontCare);
    first->SetImeMode(imDisable);
    EXPECT_FALSE(first->LineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    first->SetImeMode(imAlpha);
    EXPECT_TRUE(first->LineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(first->LineEdit()->inputMethodHints(), Qt::ImhPreferLatin);
    first->SetImeName(QStringLiteral("Microsoft Pinyin"));
    EXPECT_EQ(first->ImeName(), QStringLiteral("Microsoft Pinyin"));
}

namespace {

// Counts the Enter presses that reach the object it watches.
struct ReturnCounter : QObject
{
    int Returns = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return)
            ++Returns;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST(MemoKeys, ReturnsTabsAndMaxLengthRuleWhatTyping)
{
    QWidget window;
    window.resize(300, 200);
    auto* memo = new TsuiMemo(&window);
    memo->SetBounds(10, 10, 200, 100);
    auto* next = new TsuiEdit(&window);
    next->SetBounds(10, 120, 100, 19);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    memo->setFocus();
    QWidget* typing = memo->Edit();

    EXPECT_FALSE(memo->WantTabs());
    QTest::keyClick(typing, Qt::Key_Tab);
    EXPECT_EQ(memo->Text(), QString()) << "Tab moves on";
    EXPECT_TRUE(next->LineEdit()->hasFocus());
    memo->SetWantTabs(true);
    memo->setFocus();
    QTest::keyClick(typing, Qt::Key_Tab);
    EXPECT_EQ(memo->Text(), QStringLiteral("\t"));

    memo->SetText(QString());
    QTest::keyClick(typing, Qt::Key_Return);
    EXPECT_EQ(memo->Lines().size(), 2) << "Enter starts a line";
    memo->SetText(QString());
    memo->SetWantReturns(false);
    ReturnCounter counter;
    window.installEventFilter(&counter);
    QTest::keyClick(typing, Qt::Key_Return);
    EXPECT_EQ(memo->Text(), QString());
    EXPECT_EQ(counter.Returns, 1) << "passed on to the window";

    memo->SetMaxLength(5);
    memo->SetText(QStringLiteral("abcd"));
    memo->Edit()->moveCursor(QTextCursor::End);
    QTest::keyClicks(typing, QStringLiteral("xyz"));
    EXPECT_EQ(memo->Text().size(), 5);
    EXPECT_EQ(memo->Text(), QStringLiteral("abcdx"));
    memo->SetText(QStringLiteral("longer than five"));
    EXPECT_EQ(memo->Text(), QStringLiteral("longer than five")) << "the program's own text is not cut";
}

TEST(MemoAlignment, LinesStartAtTheSideTheAlignmentNames)
{
    QWidget window;
    window.resize(300, 200);
    auto* memo = new TsuiMemo(&window);
    memo->SetBounds(10, 10, 200, 100);
    memo->SetText(QStringLiteral("ab"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto startX = [&] {
        QTextCursor cursor = memo->Edit()->textCursor();
        cursor.setPosition(0);
        memo->Edit()->setTextCursor(cursor);
        return memo->Edit()->cursorRect().left();
    };
    const int left = startX();
    memo->SetAlignment(Qt::AlignRight);
    EXPECT_GT(startX(), left + 100);
    memo->SetAlignment(Qt::AlignHCenter);
    EXPECT_GT(startX(), left + 50);
    EXPECT_LT(startX(), left + 120);
    memo->SetText(QStringLiteral("cd"));
    EXPECT_GT(startX(), left + 50) << "new text keeps the alignment";
}
