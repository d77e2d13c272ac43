#include "GalleryPage.h"

#include "framework/TControl.h"
#include "skin/SuiCheckGroup.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>

#ifndef TESSEL_GALLERY_FONTS_CONF
#error "the build names the fontconfig file of the golden fonts"
#endif

namespace {

std::vector<GalleryPage>& Registry()
{
    static std::vector<GalleryPage> pages;
    return pages;
}

} // namespace

GalleryPageRegistrar::GalleryPageRegistrar(const QString& name, int order,
                                           std::function<void(QWidget*, TsuiUIStyle)> build)
{
    Registry().push_back({name, order, std::move(build)});
}

std::vector<GalleryPage> GalleryPages()
{
    std::vector<GalleryPage> pages = Registry();
    std::stable_sort(pages.begin(), pages.end(), [](const GalleryPage& a, const GalleryPage& b) {
        return a.Order != b.Order ? a.Order < b.Order : a.Name < b.Name;
    });
    return pages;
}

QString GoldenName(const GalleryPage& page, const TsuiLook& look)
{
    // Screens above 100 % have goldens of their own, drawn at ratio 2.
    const QString ratio = qApp->devicePixelRatio() > 1 ? QStringLiteral("@2x") : QString();
    return page.Name + u'-' + QString::fromLatin1(look.Name) + ratio + QStringLiteral(".png");
}

QWidget* CreateStage(const GalleryPage& page, TsuiUIStyle look, QWidget* parent)
{
    auto* stage = new TControl(parent);
    stage->SetColor(GetThemeColor(look, teFormColor));
    stage->resize(kStageWidth, kStageHeight);
    page.Build(stage, look);
    return stage;
}

QImage RenderPage(const GalleryPage& page, TsuiUIStyle look)
{
    QWidget window;
    window.setFixedSize(kStageWidth, kStageHeight);
    QWidget* stage = CreateStage(page, look, &window);
    window.show();
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window, 1000);
    // States that need a shown, active window (focus) come now.
    QApplication::processEvents();
    return stage->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void UseGoldenFonts()
{
    qputenv("FONTCONFIG_FILE", QByteArrayLiteral(TESSEL_GALLERY_FONTS_CONF));
}

TsuiGroupBox* Section(QWidget* stage, const QString& caption, int left, int top, int width, int height)
{
    auto* box = new TsuiGroupBox(stage);
    box->SetCaption(caption);
    box->SetBounds(left, top, width, height);
    return box;
}

void ShowHover(QWidget* control)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), control->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(control, &enter);
}

void ShowPressed(QWidget* control)
{
    ShowHover(control);
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(3, 3));
}

void ShowFocus(QWidget* control)
{
    QTimer::singleShot(0, control, [control] { control->setFocus(Qt::OtherFocusReason); });
}
