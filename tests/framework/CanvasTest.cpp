#include "tests/support/PixelHelpers.h"

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"

#include <functional>
#include <gtest/gtest.h>

TEST(CanvasRectangles, FillFrameAndRectangleLeaveOutRightAndBottomEdge)
{
    QImage image = FilledImage(6, 5, clWhite);
    {
        TCanvas canvas(image);
        canvas.Brush.Color = clRed;
        canvas.FillRect(Rect(1, 1, 4, 3));
    }
    EXPECT_EQ(Mask(image, clRed), "......|.###..|.###..|......|......");

    image = FilledImage(6, 5, clWhite);
    {
        TCanvas canvas(image);
        canvas.Brush.Color = clBlue;
        canvas.FrameRect(Rect(0, 0, 5, 4));
    }
    EXPECT_EQ(Mask(image, clBlue), "#####.|#...#.|#...#.|#####.|......");

    image = FilledImage(6, 5, clWhite);
    {
        TCanvas canvas(image);
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clLime;
        canvas.Rectangle(0, 0, 5, 4);
    }
    EXPECT_EQ(Mask(image, clBlack), "#####.|#...#.|#...#.|#####.|......");
    EXPECT_EQ(Mask(image, clLime), "......|.###..|.###..|......|......");
}

TEST(CanvasRectangles, ClearPenAndClearBrush)
{
    QImage image = FilledImage(5, 4, clWhite);
    {
        TCanvas canvas(image);
        canvas.Pen.Style = psClear;
        canvas.Brush.Color = clLime;
        canvas.Rectangle(0, 0, 5, 4);
    }
    // Without a pen the fill is one pixel smaller on the right and bottom.
    EXPECT_EQ(Mask(image, clLime), "####.|####.|####.|.....");

    image = FilledImage(5, 4, clWhite);
    {
        TCanvas canvas(image);
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(0, 0, 5, 4);
        canvas.FillRect(Rect(0, 0, 5, 4));
        canvas.FrameRect(Rect(0, 0, 5, 4));
    }
    EXPECT_EQ(Mask(image, clBlack), "#####|#...#|#...#|#####");
    EXPECT_EQ(Mask(image, clWhite), ".....|.###.|.###.|.....");
}

TEST(CanvasLines, LineToLeavesOutItsEndPoint)
{
    QImage image = FilledImage(6, 6, clWhite);
    {
        TCanvas canvas(image);
        canvas.Pen.Color = clRed;
        canvas.MoveTo(0, 0);
        canvas.LineTo(4, 0);
        EXPECT_EQ(canvas.PenPos(), (TPoint{4, 0}));
        canvas.MoveTo(5, 1);
        canvas.LineTo(5, 4);
        canvas.MoveTo(0, 2);
        canvas.LineTo(3, 5);
        canvas.MoveTo(2, 1);
        canvas.LineTo(2, 1); // zero length draws nothing
    }
    EXPECT_EQ(Mask(image, clRed), "####..|.....#|#....#|.#...#|..#...|......");
}

TEST(CanvasLines, WidePenAndClearPen)
{
    QImage image = FilledImage(6, 5, clWhite);
    {
        TCanvas canvas(image);
        canvas.Pen.Width = 3;
        canvas.MoveTo(1, 2);
        canvas.LineTo(4, 2);
        canvas.Pen.Style = psClear;
        canvas.MoveTo(0, 4);
        canvas.LineTo(5, 4);
        EXPECT_EQ(canvas.PenPos(), (TPoint{5, 4}));
    }
    EXPECT_EQ(Mask(image, clBlack), "......|#####.|#####.|#####.|......");
}

TEST(CanvasFocusRect, InvertsAlternatePixelsAndUndoesItself)
{
    QImage image = FilledImage(6, 5, clWhite);
    {
        TCanvas canvas(image);
        canvas.DrawFocusRect(Rect(0, 0, 6, 5));
    }
    EXPECT_EQ(Mask(image, clBlack), "#.#.#.|.....#|#.....|.....#|#.#.#.");
    {
        TCanvas canvas(image);
        canvas.DrawFocusRect(Rect(0, 0, 6, 5));
    }
    EXPECT_EQ(Mask(image, clWhite), "######|######|######|######|######");

    // The dots follow the canvas, not the rectangle: an odd origin starts with a gap.
    image = FilledImage(5, 4, clNavy);
    {
        TCanvas canvas(image);
        canvas.DrawFocusRect(Rect(1, 0, 5, 4));
    }
    EXPECT_EQ(Mask(image, clNavy ^ 0xFFFFFF), "..#.#|.#...|....#|.#.#.");
}

TEST(CanvasImages, TransparentBitmapLeavesOutItsBottomLeftColour)
{
    TBitmap bitmap(3, 2);
    bitmap.SetPixel(0, 0, clRed);
    bitmap.SetPixel(1, 0, clGreen);
    bitmap.SetPixel(2, 0, clRed);
    bitmap.SetPixel(0, 1, clFuchsia);
    bitmap.SetPixel(1, 1, clBlue);
    bitmap.SetPixel(2, 1, clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);

    QImage image = FilledImage(4, 3, clWhite);
    {
        TCanvas canvas(image);
        canvas.Draw(1, 1, bitmap);
    }
    EXPECT_EQ(PixelAt(image, 1, 1), clRed);
    EXPECT_EQ(PixelAt(image, 1, 2), clFuchsia);

    bitmap.SetTransparent(true);
    image = FilledImage(4, 3, clWhite);
    {
        TCanvas canvas(image);
        canvas.Draw(1, 1, bitmap);
    }
    EXPECT_EQ(Mask(image, clWhite), "####|#...|##.#");

    bitmap.SetTransparentColor(clRed);
    image = FilledImage(4, 3, clWhite);
    {
        TCanvas canvas(image);
        canvas.Draw(1, 1, bitmap);
    }
    EXPECT_EQ(Mask(image, clWhite), "####|##.#|#...");
}

TEST(CanvasImages, StretchIsNearestNeighbourOnPixelCentres)
{
    QImage source = FilledImage(3, 1, clRed);
    source.setPixel(1, 0, ToQRgb(clBlue));
    source.setPixel(2, 0, ToQRgb(clLime));

    const QImage wide = StretchImage(source, Rect(0, 0, 3, 1), 6, 2);
    EXPECT_EQ(Mask(wide, clRed), "##....|##....");
    EXPECT_EQ(Mask(wide, clBlue), "..##..|..##..");

    const QImage narrow = StretchImage(source, Rect(1, 0, 3, 1), 1, 1);
    EXPECT_EQ(PixelAt(narrow, 0, 0), clLime);

    QImage image = FilledImage(7, 1, clWhite);
    {
        TCanvas canvas(image);
        canvas.DrawImage(Rect(0, 0, 6, 1), source, Rect(0, 0, 3, 1), clBlue);
        canvas.CopyRect(Rect(6, 0, 7, 1), source, Rect(1, 0, 2, 1));
    }
    EXPECT_EQ(Mask(image, clWhite), "..##...");
    EXPECT_EQ(PixelAt(image, 6, 0), clBlue);
}

TEST(CanvasImages, SourceAlphaBlendsInsteadOfCopying)
{
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(0, 0, 0, 0));
    source.setPixel(1, 0, qRgba(0, 0, 0, 128));
    QImage image = FilledImage(2, 1, clWhite);
    {
        TCanvas canvas(image);
        canvas.CopyRect(Rect(0, 0, 2, 1), source, Rect(0, 0, 2, 1));
    }
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    EXPECT_EQ(PixelAt(image, 0, 0), clWhite);
    EXPECT_NEAR(qRed(image.pixel(1, 0)), 127, 2);
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 255);
}

TEST(CanvasText, AcceleratorsAndPlacement)
{
    EXPECT_EQ(StripAccelerators("&File"), "File");
    EXPECT_EQ(StripAccelerators("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(StripAccelerators("end&"), "end");

    QImage image = FilledImage(120, 30, clWhite);
    TCanvas canvas(image);
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = bsClear;
    const TRect calc = canvas.DrawText("&OK", Rect(0, 0, 120, 30), DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), canvas.TextWidth("OK"));
    EXPECT_EQ(calc.Height(), canvas.TextHeight("OK"));
    EXPECT_EQ(Mask(image, clBlack).find('#'), std::string::npos) << "measuring must not draw";

    canvas.DrawText("&OK", Rect(0, 0, 120, 30), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) != clWhite) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "no text drawn";
    EXPECT_NEAR((minX + maxX + 1) / 2.0, 60.0, 2.0);
    EXPECT_NEAR((minY + maxY + 1) / 2.0, 15.0, 3.0);
}

namespace {

// Rows that carry a horizontal run of at least `length` ink pixels.
int LongRuns(const QImage& image, int length)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, best = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = PixelAt(image, x, y) == clBlack ? run + 1 : 0;
            best = std::max(best, run);
        }
        rows += best >= length ? 1 : 0;
    }
    return rows;
}

QImage DrawCaption(const QString& text, unsigned flags)
{
    QImage image = FilledImage(80, 24, clWhite);
    TCanvas canvas(image);
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(text, Rect(0, 0, 80, 24), flags | DT_SINGLELINE);
    return image;
}

} // namespace

TEST(CanvasText, AcceleratorLetterIsUnderlinedUnlessHidden)
{
    // "_" is the only glyph of "___" with a long horizontal stroke, so compare
    // against an underscore-free caption: the underline adds such a row.
    const QImage shown = DrawCaption("&MMM", DT_LEFT);
    const QImage hidden = DrawCaption("&MMM", DT_LEFT | DT_HIDEPREFIX);
    const QImage plain = DrawCaption("MMM", DT_LEFT);
    EXPECT_EQ(Mask(hidden, clBlack), Mask(plain, clBlack));
    EXPECT_NE(Mask(shown, clBlack), Mask(plain, clBlack));
    EXPECT_GT(LongRuns(shown, 5), LongRuns(plain, 5));

    // "&&" is one literal ampersand; DT_NOPREFIX keeps every '&'.
    EXPECT_EQ(Mask(DrawCaption("A&&B", DT_LEFT), clBlack),
              Mask(DrawCaption("A&B", DT_LEFT | DT_NOPREFIX), clBlack));
    EXPECT_NE(Mask(DrawCaption("A&B", DT_LEFT | DT_NOPREFIX), clBlack),
              Mask(DrawCaption("AB", DT_LEFT), clBlack));
}

TEST(CanvasText, SolidBrushFillsTheTextExtent)
{
    QImage image = FilledImage(60, 20, clWhite);
    {
        TCanvas canvas(image);
        canvas.Brush.Color = clYellow;
        canvas.Font.Color = clBlack;
        canvas.TextOut(2, 1, "Hi");
        const int w = canvas.TextWidth("Hi");
        const int h = canvas.TextHeight("Hi");
        EXPECT_TRUE(PixelAt(image, 2, 1) == clYellow || PixelAt(image, 2, 1) == clBlack);
        EXPECT_EQ(PixelAt(image, 1, 1), clWhite);
        EXPECT_EQ(PixelAt(image, 2 + w, 1), clWhite);
        EXPECT_EQ(PixelAt(image, 2, 1 + h), clWhite);
        EXPECT_EQ(canvas.PenPos().X, 2 + w);
    }
}

TEST(CanvasText, MeasuringNeedsNoSurface)
{
    TFont big;
    big.Size = 16;
    big.Bold = true;
    QImage image = FilledImage(200, 100, clWhite);
    TCanvas canvas(image);
    struct Case
    {
        TFont font;
        QString text;
        TRect rect;
        unsigned flags;
    };
    const Case cases[] = {
        {TFont(), "&OK", Rect(0, 0, 120, 30), DT_SINGLELINE | DT_CENTER | DT_VCENTER},
        {big, "&OK", Rect(7, 5, 120, 30), DT_SINGLELINE},
        {TFont(), "A&B", Rect(0, 0, 0, 0), DT_SINGLELINE | DT_NOPREFIX},
        {TFont(), "one two three four", Rect(3, 4, 40, 4), DT_WORDBREAK},
        {big, "line\nbreak", Rect(0, 0, 0, 0), 0},
    };
    for (const Case& c : cases) {
        canvas.Font = c.font;
        const TRect measured = MeasureText(c.font, c.text, c.rect, c.flags);
        EXPECT_EQ(measured, canvas.DrawText(c.text, c.rect, c.flags | DT_CALCRECT)) << c.text.toStdString();
        EXPECT_EQ(measured.Left, c.rect.Left) << c.text.toStdString();
        EXPECT_EQ(measured.Top, c.rect.Top) << c.text.toStdString();
        EXPECT_EQ(MeasureTextWidth(c.font, c.text), canvas.TextWidth(c.text)) << c.text.toStdString();
    }
    EXPECT_EQ(Mask(image, clBlack).find('#'), std::string::npos) << "measuring must not draw";

    // The font is what is measured: bold 16 points is wider, wrapping adds lines.
    EXPECT_GT(MeasureTextWidth(big, "OK"), MeasureTextWidth(TFont(), "OK"));
    EXPECT_EQ(MeasureText(TFont(), "&OK", Rect(0, 0, 0, 0), DT_SINGLELINE).Width(),
              MeasureTextWidth(TFont(), "OK"));
    canvas.Font = TFont();
    const int line = canvas.TextHeight("one");
    EXPECT_GE(MeasureText(TFont(), "one two three four", Rect(0, 0, 40, 0), DT_WORDBREAK).Height(), 2 * line);
    EXPECT_EQ(MeasureText(TFont(), "one two three four", Rect(0, 0, 0, 0), DT_SINGLELINE).Height(), line);
}

TEST(CanvasImages, ClearKeyColorIgnoresAlphaAndSparesNeighbours)
{
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 255, 255)); // the key, opaque
    image.setPixel(1, 0, qRgba(255, 0, 255, 128)); // the key, half transparent
    image.setPixel(2, 0, qRgba(255, 0, 254, 255)); // one step off
    image.setPixel(3, 0, qRgba(0, 0, 0, 255));
    ClearKeyColor(image, clFuchsia);
    EXPECT_EQ(image.pixel(0, 0), 0u);
    EXPECT_EQ(image.pixel(1, 0), 0u);
    EXPECT_EQ(image.pixel(2, 0), qRgba(255, 0, 254, 255));
    EXPECT_EQ(image.pixel(3, 0), qRgba(0, 0, 0, 255));

    // An opaque format becomes one that can hold the hole.
    QImage opaque(2, 1, QImage::Format_RGB32);
    opaque.setPixel(0, 0, qRgb(255, 0, 255));
    opaque.setPixel(1, 0, qRgb(1, 2, 3));
    ClearKeyColor(opaque, clFuchsia);
    EXPECT_EQ(opaque.format(), QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(opaque.pixel(0, 0)), 0);
    EXPECT_EQ(opaque.pixel(1, 0), qRgb(1, 2, 3));
}

TEST(Colors, ByteOrderAndSystemPalette)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699u);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clSystemColor + 200), clBlack);
    EXPECT_EQ(ColorToRGB(clDefault), ColorToRGB(clBtnFace));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_EQ(ToQColor(clMoneyGreen), QColor(0xC0, 0xDC, 0xC0));
}

// A font is built once and kept, but every change of a field reaches it,
// whichever copy changes, and what is kept never leaks into what another
// font measures.
TEST(CanvasText, KeptFontFollowsEveryChange)
{
    TFont font;
    const QFont first = font.ToQFont();
    EXPECT_EQ(first.pixelSize(), 12);
    const int narrow = font.Advance("WWWW");
    EXPECT_EQ(narrow, QFontMetrics(first).horizontalAdvance("WWWW"));

    TFont copy = font;
    struct Change
    {
        const char* what;
        void (*apply)(TFont&);
        bool (*shows)(const QFont&);
    };
    const Change changes[] = {
        {"size", [](TFont& f) { f.Size = 16; }, [](const QFont& q) { return q.pixelSize() == 21; }},
        {"bold", [](TFont& f) { f.Bold = true; }, [](const QFont& q) { return q.bold(); }},
        {"italic", [](TFont& f) { f.Italic = true; }, [](const QFont& q) { return q.italic(); }},
        {"underline", [](TFont& f) { f.Underline = true; }, [](const QFont& q) { return q.underline(); }},
        {"strike-out", [](TFont& f) { f.StrikeOut = true; }, [](const QFont& q) { return q.strikeOut(); }},
        {"name", [](TFont& f) { f.Name = "Courier New"; },
         [](const QFont& q) { return q.families().value(0) == "Courier New"; }},
    };
    for (const Change& change : changes) {
        change.apply(copy);
        EXPECT_TRUE(change.shows(copy.ToQFont())) << change.what;
        EXPECT_EQ(copy.Metrics().height(), QFontMetrics(copy.ToQFont()).height()) << change.what;
        EXPECT_EQ(copy.Advance("WWWW"), QFontMetrics(copy.ToQFont()).horizontalAdvance("WWWW"))
            << change.what;
    }
    // The original keeps its own font, and the colour is no part of the QFont.
    EXPECT_EQ(font.ToQFont(), first);
    EXPECT_EQ(font.Advance("WWWW"), narrow);
    EXPECT_GT(copy.Advance("WWWW"), narrow);
    font.Color = clRed;
    EXPECT_EQ(font.ToQFont(), first);
    EXPECT_FALSE(font == TFont());
    font.Color = TFont().Color;
    EXPECT_TRUE(font == TFont()) << "comparing ignores what was built";

    // Many texts: widths stay right past what is kept.
    for (int i = 0; i < 2000; i += 7) {
        const QString text = QString::number(i * 7919);
        ASSERT_EQ(font.Advance(text), QFontMetrics(first).horizontalAdvance(text)) << i;
    }
}

// Premultiplied paint buffers must show what straight ones showed, for keyed
// and for partly transparent pictures (Qt rounds blends onto the two formats
// differently), at 1x and from the 2x picture.
TEST(CanvasPaintFormat, PremultipliedBuffersShowWhatStraightOnesShowed)
{
    struct Case
    {
        const char* what;
        QRgb odd;   // two pixels of the picture
        bool ramp;  // every other pixel partly transparent, alpha by position
        bool keyed; // the odd colour is the key
    };
    const Case cases[] = {
        {"keyed", qRgb(255, 0, 255), false, true},
        {"partly transparent", qRgba(90, 200, 30, 101), true, false},
        {"transparent with a colour", qRgba(255, 0, 255, 0), false, true},
    };
    for (const Case& c : cases) {
        for (const qreal ratio : {1.0, 2.0}) {
            auto picture = [&c](int scale) {
                QImage image(16 * scale, 8 * scale, QImage::Format_ARGB32);
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        image.setPixel(x, y,
                                       qRgba(15 * x, 30 * y, 90, c.ramp ? (x * 16 + y * 3) % 256 : 255));
                image.setPixel(scale, scale, c.odd);
                image.setPixel(3 * scale - 1, 2 * scale - 1, c.odd);
                return image;
            };
            TBitmap bitmap(picture(1));
            bitmap.SetHiRes(picture(2));
            bitmap.SetTransparent(c.keyed);
            bitmap.SetTransparentColor(FromQRgb(c.odd));
            auto paint = [&](QImage::Format format) {
                QImage image(QSize(40, 20) * ratio, format);
                image.setDevicePixelRatio(ratio);
                image.fill(qRgb(7, 140, 222));
                {
                    TCanvas canvas(image);
                    canvas.Draw(1, 1, bitmap);
                    canvas.StretchDraw(Rect(18, 0, 40, 12), bitmap);
                    canvas.DrawBitmap(Rect(0, 12, 9, 18), bitmap, Rect(1, 1, 10, 7));
                }
                return image.convertToFormat(QImage::Format_ARGB32);
            };
            EXPECT_EQ(paint(kPaintFormat), paint(QImage::Format_ARGB32)) << c.what << " at " << ratio;
        }
    }
}

// A transparent bitmap draws from a picture keyed once; it must follow every
// change of pixels or key, in the bitmap or a copy, as keying per draw did.
TEST(CanvasPaintFormat, KeyedOnceFollowsPixelsAndKey)
{
    TBitmap bitmap(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, RGB(50 * x, 60 * y, 7));
    bitmap.SetTransparent(true);
    TBitmap copy = bitmap;
    QImage* kept = nullptr;
    using Change = std::function<void()>;
    const std::pair<const char*, Change> steps[] = {
        {"as made", [] {}},
        {"a pixel set to the key", [&] { bitmap.SetPixel(3, 1, bitmap.TransparentColor()); }},
        {"another key", [&] { bitmap.SetTransparentColor(RGB(100, 60, 7)); }},
        {"through EditImage", [&] { kept = &bitmap.EditImage(); }},
        {"through the kept reference", [&] { kept->setPixel(4, 2, qRgb(100, 60, 7)); }},
        {"the copy drawn after", [] {}},
    };
    for (const auto& [what, change] : steps) {
        change();
        for (const TBitmap* drawn : {&bitmap, &copy}) {
            QImage once = FilledImage(8, 6, clWhite);
            QImage each = once;
            {
                TCanvas canvas(once);
                canvas.Draw(1, 1, *drawn);
                canvas.StretchDraw(Rect(0, 0, 8, 3), *drawn);
            }
            {
                TCanvas canvas(each);
                canvas.DrawImage(Rect(1, 1, 6, 5), drawn->Image(), Rect(0, 0, 5, 4),
                                 drawn->TransparentColor());
                canvas.DrawImage(Rect(0, 0, 8, 3), drawn->Image(), Rect(0, 0, 5, 4),
                                 drawn->TransparentColor());
            }
            EXPECT_EQ(once, each) << what << (drawn == &copy ? " (copy)" : "");
        }
    }
}
