#include "ControlTestHelpers.h"

#include "controls/Snlabel.h"
#include "framework/TCanvas.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

constexpr TColor kInk = RGB(200, 0, 0);
constexpr TColor kBack = RGB(230, 230, 170);

// A label of a fixed size with a distinct ink and background.
void Prepare(TSnLabel& label, int width, int height, const QString& caption)
{
    label.SetAutoSize(false);
    TFont font;
    font.Color = kInk;
    label.SetFont(font);
    label.SetColor(kBack);
    label.SetCaption(caption);
    label.SetBounds(0, 0, width, height);
}

// The caption as the canvas draws it from (0, 0), for comparison.
PixelSet ReferenceInk(const QString& caption)
{
    QImage image(200, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    TCanvas canvas(image);
    canvas.Font.Color = kInk;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(caption, Rect(0, 0, 200, 40), DT_LEFT | DT_SINGLELINE);
    return PixelsOf(image, kInk);
}

int TextAdvance(const QString& text)
{
    return QFontMetrics(TFont().ToQFont()).horizontalAdvance(text);
}

int TextHeight()
{
    return QFontMetrics(TFont().ToQFont()).height();
}

} // namespace

TEST(SnLabel, Defaults)
{
    TSnLabel label(nullptr);
    EXPECT_FALSE(label.ShowBorder());
    EXPECT_EQ(label.BorderColor(), RGB(0, 0, 196));
    EXPECT_EQ(label.Alignment(), taLeftJustify);
    EXPECT_TRUE(label.AutoSize());
    EXPECT_FALSE(label.Transparent());
    EXPECT_TRUE(label.ParentColor());
    EXPECT_TRUE(label.ParentFont());
}

TEST(SnLabel, CaptionIsCentredVerticallyOnTheHeightOfA)
{
    const QString caption = QStringLiteral("Pq");
    const int h = TextHeight();
    const PixelSet reference = ReferenceInk(caption);
    ASSERT_FALSE(reference.empty());

    TSnLabel label(nullptr);
    // Exactly as high as the text: drawn from the top row.
    Prepare(label, 60, h, caption);
    EXPECT_EQ(PixelsOf(label.PaintToImage(), kInk), Shifted(reference, 2, 0));

    // Seven pixels more: (7) / 2 = 3 rows down.
    label.SetBounds(0, 0, 60, h + 7);
    EXPECT_EQ(PixelsOf(label.PaintToImage(), kInk), Shifted(reference, 2, 3));

    // Lower than the text: not moved, only clipped by the control.
    label.SetBounds(0, 0, 60, h - 3);
    const PixelSet clipped = PixelsOf(label.PaintToImage(), kInk);
    PixelSet expected;
    for (const auto& p : Shifted(reference, 2, 0))
        if (p.second < h - 3)
            expected.insert(p);
    EXPECT_EQ(clipped, expected);
}

TEST(SnLabel, LeftRightAndCentreInsets)
{
    const QString caption = QStringLiteral("Wave");
    const int w = 80;
    const int advance = TextAdvance(caption);
    const PixelSet reference = ReferenceInk(caption);
    TSnLabel label(nullptr);
    Prepare(label, w, TextHeight(), caption);

    EXPECT_EQ(PixelsOf(label.PaintToImage(), kInk), Shifted(reference, 2, 0));
    label.SetAlignment(taRightJustify);
    EXPECT_EQ(label.Width(), w) << "no auto size";
    EXPECT_EQ(PixelsOf(label.PaintToImage(), kInk), Shifted(reference, w - 2 - advance, 0));
    label.SetAlignment(taCenter);
    EXPECT_EQ(PixelsOf(label.PaintToImage(), kInk), Shifted(reference, (w - advance) / 2, 0));
}

TEST(SnLabel, DisabledCaptionIsEmbossed)
{
    const QString caption = QStringLiteral("Wave");
    TSnLabel label(nullptr);
    Prepare(label, 80, TextHeight() + 4, caption);
    const PixelSet enabled = PixelsOf(label.PaintToImage(), kInk);
    ASSERT_FALSE(enabled.empty());
    label.SetEnabled(false);
    const QImage painted = label.PaintToImage();
    EXPECT_TRUE(PixelsOf(painted, kInk).empty());
    EXPECT_EQ(PixelsOf(painted, GetSysColor(16)), enabled);
    PixelSet expectedLight;
    for (const auto& p : Shifted(enabled, 1, 1))
        if (!enabled.count(p))
            expectedLight.insert(p);
    EXPECT_EQ(PixelsOf(painted, GetSysColor(20)), expectedLight);
}

TEST(SnLabel, BorderOverOwnColourOrOverTheParent)
{
    TControl parent;
    parent.SetColor(clAqua);
    parent.resize(100, 40);
    auto* label = new TSnLabel(&parent);
    Prepare(*label, 50, 20, QString());
    label->SetBounds(10, 10, 50, 20);
    label->SetShowBorder(true);
    label->SetBorderColor(RGB(0, 0, 196));

    auto check = [&](TColor inside) {
        const QImage painted = label->PaintToImage();
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(PixelAt(painted, x, 0), RGB(0, 0, 196)) << x;
            ASSERT_EQ(PixelAt(painted, x, 19), RGB(0, 0, 196)) << x;
        }
        for (int y = 0; y < 20; ++y) {
            ASSERT_EQ(PixelAt(painted, 0, y), RGB(0, 0, 196)) << y;
            ASSERT_EQ(PixelAt(painted, 49, y), RGB(0, 0, 196)) << y;
        }
        for (int y = 1; y < 19; ++y)
            for (int x = 1; x < 49; ++x)
                ASSERT_EQ(PixelAt(painted, x, y), inside) << x << "," << y;
    };
    check(kBack);
    label->SetTransparent(true);
    check(clAqua);

    // The caption is drawn over the parent as well.
    label->SetCaption(QStringLiteral("Wave"));
    const QImage painted = label->PaintToImage();
    EXPECT_FALSE(PixelsOf(painted, kInk).empty());
    EXPECT_TRUE(PixelsOf(painted, kBack).empty());
    label->SetShowBorder(false);
    EXPECT_TRUE(PixelsOf(label->PaintToImage(), RGB(0, 0, 196)).empty());
}

TEST(SnLabel, AutoSizeFitsTheTextAndKeepsTheRightEdgeWhenRightJustified)
{
    TSnLabel label(nullptr);
    label.SetBounds(100, 5, 10, 10);
    label.SetCaption(QStringLiteral("Password:"));
    const int advance = TextAdvance(QStringLiteral("Password:"));
    EXPECT_EQ(label.Width(), advance + 2);
    EXPECT_EQ(label.Height(), TextHeight());
    EXPECT_EQ(label.Left(), 100);

    const int right = label.Left() + label.Width();
    label.SetAlignment(taRightJustify);
    label.SetCaption(QStringLiteral("&Old"));
    EXPECT_EQ(label.Width(), TextAdvance(QStringLiteral("Old")) + 2) << "the accelerator mark takes no room";
    EXPECT_EQ(label.Left() + label.Width(), right);

    label.SetAutoSize(false);
    label.SetCaption(QStringLiteral("A much longer caption"));
    EXPECT_EQ(label.Left() + label.Width(), right);
    EXPECT_EQ(label.Width(), TextAdvance(QStringLiteral("Old")) + 2);
}

TEST(SnLabel, AmpersandUnderlinesAndLineBreaksStartNewLines)
{
    TSnLabel label(nullptr);
    Prepare(label, 80, 3 * TextHeight(), QStringLiteral("&Wave"));
    const PixelSet accel = PixelsOf(label.PaintToImage(), kInk);
    label.SetCaption(QStringLiteral("Wave"));
    const PixelSet plain = PixelsOf(label.PaintToImage(), kInk);
    // The same glyphs, no '&', and an underline on rows of its own.
    const std::set<int> plainRows = Rows(plain);
    std::size_t glyphPixels = 0;
    std::set<int> extraRows;
    for (const auto& p : accel) {
        if (plainRows.count(p.second))
            ++glyphPixels;
        else
            extraRows.insert(p.second);
    }
    EXPECT_EQ(glyphPixels, plain.size());
    ASSERT_FALSE(extraRows.empty());
    EXPECT_GT(*extraRows.begin(), *plainRows.rbegin());

    label.SetCaption(QStringLiteral("Wave\nWave"));
    const std::set<int> rows = Rows(PixelsOf(label.PaintToImage(), kInk));
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(*rows.rbegin() - *rows.begin(), TextHeight()) << "two lines";
}
