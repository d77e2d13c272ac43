#include "tools/gallery/GalleryPage.h"

#include "framework/TCanvas.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiToolBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest/QTest>
#include <memory>

namespace {

constexpr TColor kMask = clFuchsia;

// Four 16 x 16 icons side by side (new, open, save, find), on the mask colour.
TBitmap Icons(bool hot)
{
    TBitmap strip(64, 16);
    strip.EditImage().fill(ToQColor(kMask));
    QImage& image = strip.EditImage();
    TCanvas canvas(image);
    const TColor ink = hot ? clNavy : clBlack;
    // A page with a folded corner.
    canvas.Brush = {clWhite, bsSolid};
    canvas.Pen = TPen{ink, 1, psSolid};
    canvas.Rectangle(3, 1, 13, 15);
    canvas.Brush = {clSilver, bsSolid};
    canvas.Rectangle(9, 1, 13, 5);
    // A folder.
    canvas.Brush = {hot ? clYellow : clOlive, bsSolid};
    canvas.Rectangle(17, 3, 24, 6);
    canvas.Rectangle(17, 5, 31, 14);
    // A disk.
    canvas.Brush = {hot ? clBlue : clNavy, bsSolid};
    canvas.Rectangle(34, 1, 47, 15);
    canvas.Brush = {clWhite, bsSolid};
    canvas.Rectangle(37, 2, 44, 7);
    canvas.Brush = {clSilver, bsSolid};
    canvas.Rectangle(37, 10, 44, 15);
    // A magnifier.
    canvas.Brush = {hot ? clAqua : clTeal, bsSolid};
    canvas.Rectangle(50, 2, 59, 11);
    canvas.Pen = TPen{ink, 2, psSolid};
    canvas.MoveTo(58, 10);
    canvas.LineTo(63, 15);
    return strip;
}

// Keeps an image list as long as the stage that shows it.
struct IconHolder : QObject
{
    using QObject::QObject;
    std::unique_ptr<TImageList> List = std::make_unique<TImageList>(16, 16);
};

TImageList* IconList(QObject* owner, bool hot)
{
    auto* holder = new IconHolder(owner);
    holder->List->AddMasked(Icons(hot), kMask);
    return holder->List.get();
}

TsuiToolBar* Bar(QWidget* box, TsuiUIStyle look, int top, TImageList* images, TImageList* hot, bool captions)
{
    auto* bar = new TsuiToolBar(box);
    bar->SetUIStyle(look);
    bar->SetBounds(8, top, box->width() - 16, captions ? 40 : 26);
    bar->SetImages(images);
    bar->SetHotImages(hot);
    bar->SetShowCaptions(captions);
    const char* const names[] = {"New", "Open", "Save", "Find"};
    for (int i = 0; i < 4; ++i) {
        if (i == 3)
            bar->AddButton(QString(), -1, tbsSeparator);
        bar->AddButton(QString::fromLatin1(names[i]), i, i == 3 ? tbsCheck : tbsButton);
    }
    return bar;
}

QPoint Centre(const TToolBar* bar, int index)
{
    return bar->ButtonRect(index).ToQRect().center();
}

void Hover(TToolBar* bar, int index)
{
    const QPoint at = Centre(bar, index);
    QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
}

void BuildToolBarPage(QWidget* stage, TsuiUIStyle look)
{
    TImageList* images = IconList(stage, false);
    TImageList* hotImages = IconList(stage, true);

    QWidget* captions = Section(stage, QStringLiteral("Images and captions"), 8, 4, 316, 200);
    auto* hot = Bar(captions, look, 20, images, nullptr, true);
    Hover(hot, 1);
    auto* pressed = Bar(captions, look, 64, images, nullptr, true);
    QTest::mousePress(pressed, Qt::LeftButton, {}, Centre(pressed, 2));
    auto* checked = Bar(captions, look, 108, images, nullptr, true);
    checked->Button(4)->Down = true;
    auto* disabled = Bar(captions, look, 152, images, nullptr, true);
    disabled->Button(0)->Enabled = false;
    Hover(disabled, 1);

    QWidget* plain = Section(stage, QStringLiteral("Images only, hot images"), 332, 4, 300, 200);
    auto* small = Bar(plain, look, 22, images, hotImages, false);
    Hover(small, 0);
    auto* smallPressed = Bar(plain, look, 60, images, hotImages, false);
    QTest::mousePress(smallPressed, Qt::LeftButton, {}, Centre(smallPressed, 1));
    auto* smallChecked = Bar(plain, look, 98, images, nullptr, false);
    smallChecked->Button(4)->Down = true;

    QWidget* text = Section(stage, QStringLiteral("Captions without images"), 8, 212, 624, 184);
    auto* textHot = Bar(text, look, 22, nullptr, nullptr, true);
    Hover(textHot, 0);
    auto* textPressed = Bar(text, look, 70, nullptr, nullptr, true);
    QTest::mousePress(textPressed, Qt::LeftButton, {}, Centre(textPressed, 1));
    auto* textChecked = Bar(text, look, 118, nullptr, nullptr, true);
    textChecked->Button(4)->Down = true;
}

const GalleryPageRegistrar page(QStringLiteral("ToolBar"), 110, BuildToolBarPage);

} // namespace
