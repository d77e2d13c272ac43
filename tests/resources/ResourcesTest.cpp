// The compiled-in skin: every name the theme table yields, at its size, and
// drawn so that the components' slicing and masking come out right.
#include "framework/TJpeg.h"
#include "resources/SkinSizes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr QRgb kMagenta = 0xFF00FF;

struct StyleSizes
{
    const TsuiLook* look;
    const char* prefix;
    QSize button, checkBox, radio, progress, progressV;
    QSize titleLeft, titleClient, titleRight, titleButton;
    QSize tabActive, tabInactive, tabLine, groove, slider, sliderV, scrollButton, scrollTrack;
    int titleButtonTop;
    QRgb scrollColor;
};

// The sizes come from the table the generator draws to; the rest is the look's own.
StyleSizes Style(TsuiUIStyle style, int titleButtonTop, QRgb scrollColor)
{
    auto size = [style](tessel::SkinPart part) {
        const tessel::SkinSize s = tessel::SkinPartSize(part, style);
        return QSize(s.Width, s.Height);
    };
    using P = tessel::SkinPart;
    return {SuiLookOf(style),     SuiLookOf(style)->Prefix, size(P::Button),      size(P::CheckBox),
            size(P::Radio),       size(P::Progress),        size(P::ProgressV),   size(P::TitleLeft),
            size(P::TitleClient), size(P::TitleRight),      size(P::TitleButton), size(P::Tab),
            size(P::Tab),         size(P::TabLine),         size(P::Groove),      size(P::Slider),
            size(P::SliderV),     size(P::ScrollButton),    size(P::ScrollTrack), titleButtonTop,
            scrollColor};
}

const StyleSizes kStyles[] = {
    Style(MacOS, 4, 0xC9C9C9),   Style(WinXP, 5, 0xF9F9F9),     Style(DeepBlue, 2, 0xF5F5F5),
    Style(Protein, 2, 0xF5F5F5), Style(BlueGlass, 6, 0xF4F4F4),
};
static_assert(std::size(kStyles) == kSuiLookCount, "every look is checked");

struct Named
{
    QString name;
    QSize size;
};

const char* const kStates[] = {"NORMAL", "MOUSEON", "MOUSEDOWN"};

bool IsWinXP(const StyleSizes& s)
{
    return QString(s.prefix) == "WINXP_";
}

// The names of one style's check box or radio pictures, WinXP naming every state.
std::vector<QString> TwoStateNames(const StyleSizes& s, const QString& kind)
{
    const QString base = s.prefix + kind + "_";
    std::vector<QString> names{base + "DISABLE_CHECK", base + "DISABLE_UNCHECK"};
    if (!IsWinXP(s)) {
        names.push_back(base + "CHECK");
        names.push_back(base + "UNCHECK");
        return names;
    }
    for (const char* st : kStates) {
        names.push_back(base + st + "_CHECK");
        names.push_back(base + st + "_UNCHECK");
    }
    return names;
}

std::vector<Named> StyleNames(const StyleSizes& s)
{
    const QString p = s.prefix;
    std::vector<Named> out;
    for (const char* st : kStates)
        out.push_back({p + "BUTTON_" + st, s.button});
    for (const QString& n : TwoStateNames(s, "CHECKBOX"))
        out.push_back({n, s.checkBox});
    for (const QString& n : TwoStateNames(s, "RADIOBUTTON"))
        out.push_back({n, s.radio});
    out.push_back({p + "PROGRESSBAR", s.progress});
    out.push_back({p + "PROGRESSBAR_V", s.progressV});
    out.push_back({p + "TITLE_LEFT", s.titleLeft});
    out.push_back({p + "TITLE_CLIENT", s.titleClient});
    out.push_back({p + "TITLE_RIGHT", s.titleRight});
    for (const char* kind : {"CLOSE", "MAX", "MIN", "HELP", "CTLBOX"})
        for (const char* st : kStates)
            out.push_back({p + "TITLEBTN_" + kind + "_" + st, s.titleButton});
    if (IsWinXP(s))
        for (const char* st : kStates)
            out.push_back({p + "TITLEBTN_RST_" + st, s.titleButton});
    out.push_back({p + "TAB_ACTIVE", s.tabActive});
    out.push_back({p + "TAB_INACTIVE", s.tabInactive});
    out.push_back({p + "TAB_LINE", s.tabLine});
    out.push_back({p + "TRACKBAR_BAR", s.groove});
    out.push_back({p + "TRACKBAR_SLIDER", s.slider});
    out.push_back({p + "TRACKBAR_SLIDER_V", s.sliderV});
    for (const char* end : {"TOPBUTTON_", "BTMBUTTON_"})
        for (const char* st : kStates)
            out.push_back({p + "SCROLLBAR_" + end + st, s.scrollButton});
    out.push_back({p + "SCROLLBAR_TRACK", s.scrollTrack});
    return out;
}

// The fixed bitmaps but the pins and the icons, which are checked on their own.
const std::vector<Named> kFixed = [] {
    std::vector<Named> fixed;
    for (const auto& [name, size] : tessel::kFixedSkinBitmaps) {
        const QString n = QString::fromLatin1(name);
        if (!n.startsWith("SIDECHANNEL_BTN_") && !n.startsWith("MAINICON"))
            fixed.push_back({n, QSize(size.Width, size.Height)});
    }
    return fixed;
}();

QImage Skin(const QString& name)
{
    return QImage(":/skin/" + name).convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(const QImage& img, int x, int y)
{
    return img.pixel(x, y) & 0xFFFFFF;
}

int DistinctColours(const QImage& img)
{
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            seen.insert(Rgb(img, x, y));
    return seen.size();
}

bool Contains(const QImage& img, QRgb colour, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Rgb(img, x, y) == colour)
                return true;
    return false;
}

// Bitmaps that are stretched along one axis carry their shading in the other;
// a one-pixel line or tile is legitimately near-uniform, so these need fewer colours.
int MinimumColours(const QString& name, QSize size)
{
    if (name.endsWith("TAB_LINE") && size.height() == 1)
        return 1; // a single stretched line
    if (name.endsWith("FORM_BACKGROUND"))
        return 3; // a brush tile must stay quiet to tile without seams
    if (size.width() == 1 || size.height() == 1 || name.contains("PROGRESSBAR") || name.endsWith("TAB_LINE"))
        return 4; // a gradient across a few pixels
    return 6;
}

TEST(SkinResources, EveryThemeBitmapExistsAtItsSize)
{
    for (const StyleSizes& s : kStyles) {
        for (const Named& n : StyleNames(s)) {
            const QImage img = Skin(n.name);
            ASSERT_FALSE(img.isNull()) << n.name.toStdString();
            EXPECT_EQ(img.size(), n.size) << n.name.toStdString();
            EXPECT_GE(DistinctColours(img), MinimumColours(n.name, n.size)) << n.name.toStdString();
        }
        // Restore pictures belong to WinXP only; the table points the others at maximise.
        EXPECT_EQ(QImage(":/skin/" + QString(s.prefix) + "TITLEBTN_RST_NORMAL").isNull(), !IsWinXP(s));
    }
}

TEST(SkinResources, FixedNamesExistAtTheirSizes)
{
    for (const Named& n : kFixed) {
        const QImage img = Skin(n.name);
        ASSERT_FALSE(img.isNull()) << n.name.toStdString();
        EXPECT_EQ(img.size(), n.size) << n.name.toStdString();
        EXPECT_GE(DistinctColours(img), MinimumColours(n.name, n.size)) << n.name.toStdString();
    }
    for (const char* pin : {"SIDECHANNEL_BTN_ONTOP", "SIDECHANNEL_BTN_NOONTOP"}) {
        const QImage img = Skin(pin);
        ASSERT_FALSE(img.isNull()) << pin;
        EXPECT_GE(DistinctColours(img), 6) << pin;
    }
    // The two pin pictures must differ, or the pin shows no state.
    EXPECT_NE(Skin("SIDECHANNEL_BTN_ONTOP"), Skin("SIDECHANNEL_BTN_NOONTOP"));
    const QImage icon(":/skin/MAINICON");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(16, 16));
}

TEST(SkinResources, StatesLookDifferent)
{
    for (const StyleSizes& s : kStyles) {
        const QString p = s.prefix;
        for (const char* family : {"BUTTON_", "TITLEBTN_CLOSE_", "TITLEBTN_MIN_", "SCROLLBAR_TOPBUTTON_"}) {
            const QImage normal = Skin(p + family + "NORMAL");
            EXPECT_NE(normal, Skin(p + family + "MOUSEON")) << (p + family).toStdString();
            EXPECT_NE(normal, Skin(p + family + "MOUSEDOWN")) << (p + family).toStdString();
        }
        EXPECT_NE(Skin(p + "TAB_ACTIVE"), Skin(p + "TAB_INACTIVE")) << s.prefix;
        const std::vector<QString> boxes = TwoStateNames(s, "CHECKBOX");
        EXPECT_NE(Skin(boxes[2]), Skin(boxes[3])) << s.prefix;
    }
}

TEST(SkinResources, MaskColoursSitWhereTheComponentsExpectThem)
{
    for (const StyleSizes& s : kStyles) {
        const QString p = s.prefix;
        // Nine-slice stretching masks magenta in its edges and middle always, and
        // in the corners only where the look draws its buttons transparent.
        const bool glass = s.look->ButtonTransparent;
        for (const char* st : kStates) {
            const QImage b = Skin(p + "BUTTON_" + st);
            EXPECT_EQ(Rgb(b, 0, 0) == kMagenta, glass) << p.toStdString() << st;
            EXPECT_FALSE(Contains(b, kMagenta, QRect(1, b.height() / 2 - 1, b.width() - 2, 3)))
                << p.toStdString();
            // The stretched middle takes row h/2 and the right edge the row below:
            // different rows would show a step on any button taller than the bitmap.
            const int hh = b.height() / 2;
            for (int x = 0; x < b.width(); ++x)
                ASSERT_EQ(Rgb(b, x, hh), Rgb(b, x, hh + 1)) << p.toStdString() << st << " column " << x;
        }
        // Check boxes are drawn unmasked: no key colour may show.
        for (const QString& n : TwoStateNames(s, "CHECKBOX"))
            EXPECT_FALSE(Contains(Skin(n), kMagenta, Skin(n).rect())) << n.toStdString();
        // Radio buttons and tabs are masked by their top-left pixel.
        for (const QString& n : TwoStateNames(s, "RADIOBUTTON")) {
            const QImage r = Skin(n);
            EXPECT_EQ(Rgb(r, 0, 0), kMagenta) << n.toStdString();
            EXPECT_NE(Rgb(r, r.width() / 2, r.height() / 2), kMagenta) << n.toStdString();
        }
        for (const char* tab : {"TAB_ACTIVE", "TAB_INACTIVE"}) {
            const QImage t = Skin(p + tab);
            const int third = t.width() / 3;
            EXPECT_EQ(Rgb(t, 0, 0), kMagenta) << p.toStdString() << tab;
            EXPECT_EQ(Rgb(t, t.width() - 1, 0), kMagenta) << p.toStdString() << tab;
            // The stretched middle third must be solid from top to bottom.
            EXPECT_FALSE(Contains(t, kMagenta, QRect(third, 0, third, t.height()))) << p.toStdString() << tab;
        }
        // Scroll arrows may be masked by their top-left pixel, which is therefore
        // the scroll bar's own colour.
        for (const char* st : kStates)
            EXPECT_EQ(Rgb(Skin(p + "SCROLLBAR_TOPBUTTON_" + st), 0, 0), s.scrollColor) << p.toStdString();
    }
    // Protein and BlueGlass draw their title buttons transparent.
    for (const char* p : {"PROTEIN_", "BLUEGLASS_"}) {
        const QImage b = Skin(QString(p) + "TITLEBTN_CLOSE_NORMAL");
        const int r = b.width() - 1, d = b.height() - 1;
        EXPECT_EQ(Rgb(b, 0, 0), kMagenta) << p;
        EXPECT_EQ(Rgb(b, r, 0), kMagenta) << p;
        EXPECT_EQ(Rgb(b, 0, d), kMagenta) << p;
        EXPECT_EQ(Rgb(b, r, d), kMagenta) << p;
    }
    // The menu check mark is added masked with white.
    const QImage check = Skin("MENU_CHECKED");
    EXPECT_EQ(Rgb(check, 0, 0), 0xFFFFFFu);
    EXPECT_LT(qGray(check.pixel(7, 10)), 128);
}

TEST(SkinResources, StretchedPiecesAreUniformAlongTheStretch)
{
    auto rowsUniform = [](const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 1; x < img.width(); ++x)
                if (Rgb(img, x, y) != Rgb(img, 0, y))
                    return false;
        return true;
    };
    for (const StyleSizes& s : kStyles) {
        const QString p = s.prefix;
        const QImage client = Skin(p + "TITLE_CLIENT");
        EXPECT_TRUE(rowsUniform(client)) << s.prefix;
        EXPECT_TRUE(rowsUniform(Skin(p + "PROGRESSBAR"))) << s.prefix;
        EXPECT_TRUE(rowsUniform(Skin(p + "TAB_LINE"))) << s.prefix;
        // The three sections share one height, which the bar takes from the left one,
        // and the buttons fit inside it at their top offset.
        EXPECT_EQ(Skin(p + "TITLE_LEFT").height(), client.height());
        EXPECT_EQ(Skin(p + "TITLE_RIGHT").height(), client.height());
        EXPECT_LE(s.titleButtonTop + s.titleButton.height(), client.height()) << s.prefix;
        // Sections and the band behind the buttons meet without a step.
        EXPECT_EQ(Rgb(Skin(p + "TITLE_LEFT"), s.titleLeft.width() - 1, client.height() / 2),
                  Rgb(client, 0, client.height() / 2))
            << s.prefix;
    }
}

TEST(WindowPictures, DecodeAtTheirSizes)
{
    const std::vector<Named> jpegs{{"main.jpg", {800, 600}},
                                   {"login.jpg", {83, 141}},
                                   {"password.jpg", {91, 154}},
                                   {"about.jpg", {93, 137}}};
    for (const Named& n : jpegs) {
        // Through the program's own decoder: Windows builds carry no Qt JPEG plugin.
        QFile file(":/pictures/" + n.name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << n.name.toStdString();
        const JpegResult decoded = DecodeJpeg(file.readAll());
        const QImage& img = decoded.Image;
        ASSERT_FALSE(img.isNull()) << n.name.toStdString() << ": " << decoded.Error.toStdString();
        EXPECT_EQ(img.size(), n.size) << n.name.toStdString();
        EXPECT_GT(DistinctColours(img.convertToFormat(QImage::Format_RGB32)), 200) << n.name.toStdString();
    }
    const std::vector<Named> titles{{"MAIN_TITLE_LEFT.png", {137, 23}},
                                    {"MAIN_TITLE_RIGHT.png", {129, 23}},
                                    {"MAIN_TITLE_CLIENT.png", {279, 23}}};
    for (const Named& n : titles) {
        const QImage img(":/pictures/" + n.name);
        ASSERT_FALSE(img.isNull()) << n.name.toStdString();
        EXPECT_EQ(img.size(), n.size) << n.name.toStdString();
        EXPECT_FALSE(img.hasAlphaChannel()) << n.name.toStdString();
        EXPECT_GE(DistinctColours(img.convertToFormat(QImage::Format_RGB32)), 6) << n.name.toStdString();
    }
}

TEST(WindowPictures, TitleButtonsAreSixteenColourAndMasked)
{
    for (const char* kind : {"CLOSE", "MIN"}) {
        std::vector<QImage> states;
        for (const char* st : {"NORMAL", "MOUSEON", "DOWN"}) {
            const QString name = QString(":/pictures/MAIN_%1_%2.png").arg(kind, st);
            const QImage img = QImage(name).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(img.isNull()) << name.toStdString();
            EXPECT_EQ(img.size(), QSize(19, 19));
            const int colours = DistinctColours(img);
            EXPECT_LE(colours, 16) << name.toStdString();
            EXPECT_GE(colours, 5) << name.toStdString();
            EXPECT_EQ(Rgb(img, 0, 0), kMagenta) << name.toStdString();
            EXPECT_EQ(Rgb(img, 18, 18), kMagenta) << name.toStdString();
            states.push_back(img);
        }
        EXPECT_NE(states[0], states[1]) << kind;
        EXPECT_NE(states[0], states[2]) << kind;
    }
}

} // namespace

namespace {

// Aligned 2x2 device-pixel blocks that are not all one colour: an enlarged 1x
// picture has none.
int MixedBlocks(const QImage& img)
{
    int mixed = 0;
    for (int y = 0; y + 1 < img.height(); y += 2)
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const QRgb c = Rgb(img, x, y);
            if (Rgb(img, x + 1, y) != c || Rgb(img, x, y + 1) != c || Rgb(img, x + 1, y + 1) != c)
                ++mixed;
        }
    return mixed;
}

QString TwiceName(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > path.lastIndexOf(u'/') ? path.left(dot) + "@2x" + path.mid(dot) : path + "@2x";
}

// JPEGs through the program's own decoder: Windows builds carry no Qt JPEG plugin.
QImage LoadPicture(const QString& path)
{
    if (!path.endsWith(".jpg"))
        return QImage(path);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()).Image : QImage();
}

} // namespace

// Every skin bitmap, icon and window picture has its 2x picture beside it:
// exactly twice the size, drawn with its own detail, with the key colour in
// the corners the components read it from.
TEST(SkinResources, EveryPictureHasA2xPictureWithItsOwnDetail)
{
    int checked = 0;
    for (const char* root : {":/skin", ":/pictures"}) {
        for (const QString& name : QDir(root).entryList()) {
            if (name.contains("@2x"))
                continue;
            SCOPED_TRACE(name.toStdString());
            const QString path = QString(root) + u'/' + name;
            const QImage one = LoadPicture(path).convertToFormat(QImage::Format_RGB32);
            const QImage two = LoadPicture(TwiceName(path)).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(two.isNull());
            EXPECT_EQ(two.size(), one.size() * 2);
            if (DistinctColours(one) > 1) {
                EXPECT_GT(MixedBlocks(two), 0) << "an enlargement of the 1x picture";
            }
            if (!name.endsWith(".jpg")) {
                // Transparent draws take the key from the top-left or bottom-left pixel.
                EXPECT_EQ(Rgb(two, 0, 0) == kMagenta, Rgb(one, 0, 0) == kMagenta);
                EXPECT_EQ(Rgb(two, 0, two.height() - 1) == kMagenta,
                          Rgb(one, 0, one.height() - 1) == kMagenta);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}
