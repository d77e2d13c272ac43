// The five windows on a screen at 200 %: composed at the screen's ratio, with
// the 2x skin pictures and text at device resolution, not enlarged from 1x.
#include "NamedWindows.h"
#include "SecondBuild.h"
#include "skin/SuiTitleBar.h"
#include "tests/support/WindowTestSupport.h"

#include <QDir>
#include <QImage>

#include <array>
#include <vector>

namespace {

QImage Grab(QWidget& window)
{
    window.show();
    QApplication::processEvents();
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The share of aligned 2x2 device-pixel blocks in `area` (logical) that are not one colour.
double MixedShare(const QImage& image, const QRect& area)
{
    int mixed = 0;
    int blocks = 0;
    for (int y = area.top() * 2; y + 1 <= area.bottom() * 2 + 1; y += 2)
        for (int x = area.left() * 2; x + 1 <= area.right() * 2 + 1; x += 2) {
            const QRgb c = image.pixel(x, y);
            ++blocks;
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c)
                ++mixed;
        }
    return blocks == 0 ? 0 : double(mixed) / blocks;
}

} // namespace

TEST(HighDpiWindows, FiveWindowsMatchTheirPicturesAtRatio2)
{
    ASSERT_EQ(qgetenv("FONTCONFIG_FILE"), QByteArrayLiteral(TESSEL_GALLERY_FONTS_CONF))
        << "run through ctest, which fixes the fonts and the ratio";
    tessel::test::BackendUnderTest backend(tessel::test::PlatformBackends().back());
    TDialogRecorder dialogs;
    TWindows windows(backend.Get());
    const QDir goldens(QStringLiteral(TESSEL_WINDOW_GOLDEN_DIR));
    const QDir actualDir(QStringLiteral(TESSEL_WINDOW_ACTUAL_DIR));
    for (const NamedWindow& entry : kNamedWindows) {
        SCOPED_TRACE(entry.Name);
        QWidget& window = entry.Get(windows);
        const QImage shot = Grab(window);
        ASSERT_EQ(window.devicePixelRatioF(), 2.0);
        EXPECT_EQ(shot.size(), window.size() * 2) << "every window keeps its logical size";
        const QString name = QString::fromLatin1(entry.Name) + QStringLiteral("@2x.png");
        const QImage expected = QImage(goldens.filePath(name)).convertToFormat(QImage::Format_RGB32);
        if (expected != shot) {
            QDir().mkpath(actualDir.path());
            shot.save(actualDir.filePath(name), "PNG");
            ADD_FAILURE() << "differs from " << goldens.filePath(name).toStdString()
                          << "; drawn now: " << actualDir.filePath(name).toStdString();
        }
        window.hide();
    }
}

TEST(HighDpiWindows, MainWindowIsNotAnEnlargementOfItself)
{
    tessel::test::BackendUnderTest backend(tessel::test::PlatformBackends().back());
    TDialogRecorder dialogs;
    TWindows windows(backend.Get());
    TForm1& main = windows.Form1();
    const QImage shot = Grab(main);
    ASSERT_EQ(shot.size(), main.size() * 2);
    // Pixel-doubled output has no mixed block at all.
    const TControl* title = main.findChild<TsuiTitleBar*>();
    ASSERT_NE(title, nullptr);
    const QRect titleArea(title->mapTo(&main, QPoint(0, 0)), title->size());
    EXPECT_GT(MixedShare(shot, titleArea), 0.2) << "title bar and caption";
    for (const TControl* button :
         {static_cast<const TControl*>(main.suiButton4), static_cast<const TControl*>(main.suiButton1)}) {
        const QRect area(button->mapTo(&main, QPoint(0, 0)), button->size());
        EXPECT_GT(MixedShare(shot, area), 0.2) << button->Caption().toStdString();
    }
    // The frame's edges: one logical pixel around the window.
    EXPECT_GT(MixedShare(shot, QRect(0, 0, main.width(), 4)) +
                  MixedShare(shot, QRect(0, 0, 4, main.height())),
              0.05);
}

// At 200 % too, the second build of the windows finds every picture kept by
// the first and draws the same pixels.
TEST(HighDpiWindows, ASecondBuildDecodesAndComposesNothing)
{
    tessel::test::BackendUnderTest backend(tessel::test::PlatformBackends().back());
    TDialogRecorder dialogs;
    const auto shots = [&backend] {
        TWindows windows(backend.Get());
        std::vector<QImage> images;
        for (const NamedWindow& entry : kNamedWindows) {
            images.push_back(Grab(entry.Get(windows)));
            entry.Get(windows).hide();
        }
        return images;
    };
    ExpectASecondBuildMakesNothing(shots);
}
