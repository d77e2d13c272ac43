// Renders the program's five windows, and compares two such renderings pixel
// by pixel outside text.
//   tessel_window_shots shots DIR            DIR/<window>.png, -text.png and -blank.png
//   tessel_window_shots compare LINUX OTHER  fails on any pixel outside text that differs
//   tessel_window_shots places               where a session clicks, in window coordinates:
//                                            the buttons, each page's tab and its check boxes
// Text pixels are found on each platform by rendering the window again with
// every text colour changed, and once more with every caption emptied and every
// label hidden (disabled captions keep their own colours): what changed is text. Text itself differs
// between platforms (FreeType here, GDI on Windows), the rest must not.
#include "NamedWindows.h"
#include "access/Unit2.h"
#include "access/Unit3.h"
#include "controls/Sncheckbox.h"
#include "controls/Snlabel.h"
#include "framework/TControl.h"
#include "shell/Unit1.h"
#include "shell/Unit4.h"
#include "shell/Unit7.h"
#include "shell/Windows.h"
#include "skin/SuiButton.h"
#include "skin/SuiEdit.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiTitleBar.h"
#include "tests/support/TDialogRecorder.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TweakCatalogue.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QTextEdit>
#include <QWidget>

#include <array>
#include <cstdio>

namespace {

constexpr TColor kMarker = 0x00FF01; // a text colour no window uses
constexpr QRgb kTextMarker = qRgb(1, 255, 0);

void MarkText(QWidget& window)
{
    for (TControl* control : window.findChildren<TControl*>()) {
        TFont font = control->Font();
        font.Color = kMarker;
        control->SetFont(font);
    }
    for (QWidget* native : window.findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(native) && !qobject_cast<QTextEdit*>(native))
            continue;
        QPalette palette = native->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Text, QColor(kTextMarker));
        native->setPalette(palette);
    }
}

// A label's box is as tall as its font: it goes with the text.
void BlankCaptions(QWidget& window)
{
    for (TControl* control : window.findChildren<TControl*>()) {
        control->SetCaption(TCaption());
        if (dynamic_cast<TSnLabel*>(control) != nullptr)
            control->hide();
    }
}

QImage Grab(QWidget& window)
{
    QApplication::processEvents();
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int Shots(const QString& dir)
{
    QDir().mkpath(dir);
    tessel::test::BackendUnderTest backend(tessel::test::PlatformBackends().back());
    TDialogRecorder dialogs;
    TWindows windows(backend.Get());
    for (const NamedWindow& entry : kNamedWindows) {
        QWidget& window = entry.Get(windows);
        window.show();
        const QImage plain = Grab(window);
        MarkText(window);
        const QImage marked = Grab(window);
        BlankCaptions(window);
        const QImage blank = Grab(window);
        window.hide();
        const QString base = dir + u'/' + QLatin1String(entry.Name);
        if (!plain.save(base + ".png") || !marked.save(base + "-text.png") ||
            !blank.save(base + "-blank.png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(base));
            return 1;
        }
    }
    return 0;
}

// A window's three renderings on one platform.
struct Rendering
{
    QImage Plain, Marked, Blank;

    bool Load(const QString& base)
    {
        Plain = QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
        Marked = QImage(base + "-text.png").convertToFormat(QImage::Format_RGB32);
        Blank = QImage(base + "-blank.png").convertToFormat(QImage::Format_RGB32);
        return !Plain.isNull() && Plain.size() == Marked.size() && Plain.size() == Blank.size();
    }
    bool IsText(int x, int y) const
    {
        const QRgb p = Plain.pixel(x, y);
        return p != Marked.pixel(x, y) || p != Blank.pixel(x, y);
    }
};

// Pixels that are text in either platform's rendering, grown by one pixel for
// the smoothing some engines add around glyphs.
QImage TextMask(const Rendering& a, const Rendering& b)
{
    QImage mask(a.Plain.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            if (!a.IsText(x, y) && !b.IsText(x, y))
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (mask.valid(x + dx, y + dy))
                        mask.setPixel(x + dx, y + dy, qRgb(255, 255, 255));
        }
    return mask;
}

int Compare(const QString& reference, const QString& other)
{
    int failures = 0;
    for (const NamedWindow& entry : kNamedWindows) {
        const QString name = QLatin1String(entry.Name);
        Rendering a, b;
        if (!a.Load(reference + u'/' + name) || !b.Load(other + u'/' + name)) {
            std::printf("%s: a rendering is missing\n", entry.Name);
            ++failures;
            continue;
        }
        if (a.Plain.size() != b.Plain.size()) {
            std::printf("%s: %dx%d here, %dx%d there\n", entry.Name, a.Plain.width(), a.Plain.height(),
                        b.Plain.width(), b.Plain.height());
            ++failures;
            continue;
        }
        const QImage mask = TextMask(a, b);
        QImage diff = b.Plain;
        int differing = 0, text = 0;
        QRect where;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                if (qGray(mask.pixel(x, y)) != 0) {
                    ++text;
                    continue;
                }
                if (a.Plain.pixel(x, y) == b.Plain.pixel(x, y))
                    continue;
                ++differing;
                where |= QRect(x, y, 1, 1);
                diff.setPixel(x, y, qRgb(255, 0, 255));
            }
        std::printf("%s: %dx%d, %d text pixels, %d differing pixels outside text", entry.Name, mask.width(),
                    mask.height(), text, differing);
        if (differing > 0) {
            std::printf(" within (%d,%d %dx%d)", where.x(), where.y(), where.width(), where.height());
            diff.save(other + u'/' + name + "-diff.png");
            ++failures;
        }
        std::printf("\n");
    }
    return failures == 0 ? 0 : 1;
}

void Place(const char* what, const QWidget& widget, QPoint point)
{
    const QPoint at = widget.mapTo(widget.window(), point);
    std::printf("%s %d %d\n", what, at.x(), at.y());
}

int Places()
{
    tessel::test::BackendUnderTest backend(tessel::test::PlatformBackends().back());
    TDialogRecorder dialogs;
    TWindows windows(backend.Get());
    TForm1& main = windows.Form1();
    main.show();
    // Which faces this platform draws the windows' fonts with.
    for (const TControl* control : {static_cast<const TControl*>(main.suiButton4),
                                    static_cast<const TControl*>(main.findChild<TsuiTitleBar*>())}) {
        const QFontInfo face(control->Font().ToQFont());
        std::printf("font %s %s\n", qPrintable(control->Font().Name), qPrintable(face.family()));
    }
    std::printf("families %s\n", qPrintable(QFontDatabase::families().join(u',')));
    Place("main.login", *main.suiButton4, main.suiButton4->rect().center());
    Place("main.ok", *main.suiButton1, main.suiButton1->rect().center());
    Place("login.edit", *windows.Form2().suiEdit1, windows.Form2().suiEdit1->rect().center());
    Place("login.ok", *windows.Form2().suiButton1, windows.Form2().suiButton1->rect().center());
    // The pages as they stand once logged in.
    main.suiPageControl1->show();
    QApplication::processEvents();
    const auto* tabs = main.suiPageControl1->findChild<TsuiTabControlTopPanel*>();
    const std::vector<TRect> rects = tabs->TabRects();
    const TsuiTabSheet* sheets[] = {main.suiTabSheet1, main.suiTabSheet2, main.suiTabSheet4};
    for (std::size_t page = 0; page < rects.size() && page < std::size(sheets); ++page) {
        const TRect& r = rects[page];
        std::printf("page %zu\n", page);
        Place("tab", *tabs, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        for (const tessel::TweakEntry& tweak : tessel::Catalogue()) {
            const TSnCheckBox* box =
                main.CheckBox(QString::fromUtf8(tweak.checkBox.data(), qsizetype(tweak.checkBox.size())));
            if (box->parentWidget() == sheets[page])
                Place("box", *box, box->rect().center());
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The caret stays drawn, whenever a window is grabbed.
    QApplication::setCursorFlashTime(0);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == "shots")
        return Shots(args[1]);
    if (args.size() == 1 && args[0] == "places")
        return Places();
    if (args.size() == 3 && args[0] == "compare")
        return Compare(args[1], args[2]);
    std::fprintf(stderr, "usage: tessel_window_shots shots DIR | compare LINUX-DIR OTHER-DIR\n");
    return 2;
}
