#include "controls/Snrichedit.h"
#include "skin/SuiForm.h"
#include "tests/support/WindowTestSupport.h"

#include <QTextEdit>

namespace tessel::test {
namespace {

class InfoWindows : public WindowTest
{
protected:
    void SetUp() override { Start(); }
};

TEST_F(InfoWindows, HelpShowsItsSevenLinesReadOnly)
{
    Click(Form1().suiButton6);
    Click(Form1().suiButton6);
    EXPECT_TRUE(Form7().isVisible());
    EXPECT_EQ(Form7().windowTitle(), QStringLiteral("       帮助"));
    const QStringList lines = Form7().SnRichEdit1->Lines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("    本软件为对注册表进行操作的软件，所以有些功能可能"));
    EXPECT_EQ(lines[1], QStringLiteral("需要重新启动后才可以生效！"));
    EXPECT_EQ(lines[2], QStringLiteral("    如果本软件在使用时出现什么问题，请您与本人联系。"));
    EXPECT_FALSE(lines[3].startsWith(QLatin1Char(' ')));
    EXPECT_FALSE(lines[4].startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(lines[5].startsWith(QString(4, QLatin1Char(' '))) && lines[5][4] != QLatin1Char(' '));
    EXPECT_TRUE(lines[6].startsWith(QString(14, QLatin1Char(' '))) && lines[6][14] != QLatin1Char(' '));

    // Display only: typing changes nothing.
    QTextEdit* edit = Form7().SnRichEdit1->Edit();
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(Form7().SnRichEdit1->Lines(), lines);
    EXPECT_FALSE(edit->isEnabled());

    Click(Form7().suiButton3);
    EXPECT_FALSE(Form7().isVisible());
}

TEST_F(InfoWindows, AboutClosesTheSameWayByItsButtonAndTitleBar)
{
    Click(Form1().suiButton7);
    EXPECT_TRUE(Form4().isVisible());
    EXPECT_EQ(Form4().SnLabel1->Caption(), QStringLiteral("TesselV1.2"));
    EXPECT_TRUE(Form4().SnLabel1->Font().Bold);
    EXPECT_EQ(Form4().SnLabel4->geometry(), QRect(106, 84, 162, 13));
    Click(Form4().suiButton1);
    EXPECT_FALSE(Form4().isVisible());
    Click(Form1().suiButton7);
    Form4().close();
    EXPECT_FALSE(Form4().isVisible());
    Click(Form1().suiButton7);
    EXPECT_TRUE(Form4().isVisible());
}

TEST_F(InfoWindows, EveryFrameCoversItsWindowButForTheOnePixelBorder)
{
    EXPECT_EQ(Form1().suiForm1->geometry(), QRect(1, 0, 494, 353));
    EXPECT_EQ(Form2().suiForm1->geometry(), QRect(1, 0, 292, 147));
    EXPECT_EQ(Form3().suiForm1->geometry(), QRect(1, 0, 324, 177));
    EXPECT_EQ(Form4().suiForm1->geometry(), QRect(1, 0, 283, 190));
    EXPECT_EQ(Form7().suiForm1->geometry(), QRect(1, 0, 337, 183));
}

TEST_F(InfoWindows, SecondaryWindowsOpenCentredOnTheMainWindow)
{
    Form1().move(100, 80);
    Click(Form1().suiButton7);
    const QRect main = Form1().frameGeometry();
    EXPECT_EQ(Form4().x(), main.x() + (main.width() - Form4().width()) / 2);
    EXPECT_EQ(Form4().y(), main.y() + (main.height() - Form4().height()) / 2);
}

} // namespace
} // namespace tessel::test
