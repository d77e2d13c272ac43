#include "Look.h"

#include "resources/SkinSizes.h"

namespace skingen {
namespace {

// The sizes of a look's bitmaps, from the one table of sizes.
Sizes SizesOf(Style style)
{
    auto size = [style](tessel::SkinPart part) {
        const tessel::SkinSize s = tessel::SkinPartSize(part, style);
        return QSize(s.Width, s.Height);
    };
    using P = tessel::SkinPart;
    return {size(P::Button),      size(P::CheckBox),  size(P::Radio),        size(P::Progress),
            size(P::ProgressV),   size(P::TitleLeft), size(P::TitleClient),  size(P::TitleRight),
            size(P::TitleButton), size(P::Tab),       size(P::TabLine),      size(P::Groove),
            size(P::Slider),      size(P::SliderV),   size(P::ScrollButton), size(P::ScrollTrack)};
}

QColor C(unsigned rgb)
{
    return QColor::fromRgb(rgb);
}
QColor A(unsigned rgb, int alpha)
{
    QColor c = QColor::fromRgb(rgb);
    c.setAlpha(alpha);
    return c;
}
const QColor kNone;

Look MacOS()
{
    Look l{};
    l.trackFace = C(0xEEEEEE);
    l.scrollFace = C(0xC9C9C9);
    l.accent = C(0x3973C4);
    // Aqua: white gel at rest, blue candy when hot, deeper blue when pressed.
    l.buttonRadius = 11;
    l.buttonKeyed = false;
    l.button = {Gel{C(0x8C8C8C), C(0xFDFDFD), C(0xD4D4D4), A(0xFFFFFF, 200), kNone, true},
                Gel{C(0x3B68B0), C(0xBEDDFB), C(0x62A9F0), A(0xFFFFFF, 190), kNone, true},
                Gel{C(0x1F417C), C(0x7EB2EA), C(0x2F77D2), A(0xFFFFFF, 120), kNone, true}};
    l.boxRadius = 3;
    l.box = {Gel{C(0x8A8A8A), C(0xFFFFFF), C(0xD8D8D8), A(0xFFFFFF, 200), kNone, true},
             Gel{C(0x3B68B0), C(0xCFE6FD), C(0x6CAEF0), A(0xFFFFFF, 190), kNone, true},
             Gel{C(0x1F417C), C(0x8CBBEC), C(0x3C80D6), A(0xFFFFFF, 120), kNone, true},
             Gel{C(0xB4B4B4), C(0xF4F4F4), C(0xE2E2E2), kNone, kNone, false}};
    l.mark = C(0x1A1A1A);
    l.markDisabled = C(0xA8A8A8);
    l.progress = Gel{C(0x2A5FA8), C(0xA6D0FA), C(0x3D8BE0), A(0xFFFFFF, 150), kNone, true};
    l.title = Band{
        {{0, C(0xF4F4F4)}, {0.55, C(0xE2E2E2)}, {1, C(0xC9C9C9)}}, C(0xFFFFFF), C(0x8E8E8E), kNone, true};
    l.cornerRadius = 0;
    l.titleButtonTop = 4;
    l.titleButtonsKeyed = false;
    l.titleButtonShape = ButtonShape::Orb;
    // Graphite orbs for the minor buttons; the close orb is red.
    l.titleButton = {Gel{C(0x6E7780), C(0xD7DDE3), C(0x8E99A5), A(0xFFFFFF, 210), kNone, true},
                     Gel{C(0x3B68B0), C(0xC2E0FC), C(0x4F99E8), A(0xFFFFFF, 210), kNone, true},
                     Gel{C(0x23446F), C(0x6F9ED6), C(0x2B5E9E), A(0xFFFFFF, 120), kNone, true}};
    l.closeButton = {Gel{C(0xA0302A), C(0xF6A097), C(0xDE3F35), A(0xFFFFFF, 210), kNone, true},
                     Gel{C(0xA0302A), C(0xFFC0B8), C(0xF0564A), A(0xFFFFFF, 220), kNone, true},
                     Gel{C(0x6E1712), C(0xC4554C), C(0x9A1E16), A(0xFFFFFF, 110), kNone, true}};
    l.titleGlyph = {A(0x3A1010, 140), C(0x2A0A0A), C(0x1A0505)};
    l.tabRadius = 5;
    l.tabActive = Gel{C(0x3B68B0), C(0xC4E1FC), C(0x5DA4EE), A(0xFFFFFF, 170), kNone, true};
    l.tabInactive = Gel{C(0x8C8C8C), C(0xFBFBFB), C(0xD2D2D2), A(0xFFFFFF, 170), kNone, true};
    l.tabLine = {{0, C(0x7F7F7F)}, {0.15, C(0xFDFDFD)}, {0.75, C(0xDEDEDE)}, {1, C(0xA0A0A0)}};
    l.groove = Gel{C(0x7A7A7A), C(0xA8A8A8), C(0xE0E0E0), kNone, kNone, false};
    l.slider = Gel{C(0x2A5FA8), C(0xC4E1FC), C(0x4D98E8), A(0xFFFFFF, 170), kNone, true};
    l.scrollButton = {Gel{C(0x8C8C8C), C(0xFBFBFB), C(0xCFCFCF), A(0xFFFFFF, 180), kNone, true},
                      Gel{C(0x3B68B0), C(0xCFE6FD), C(0x6CAEF0), A(0xFFFFFF, 180), kNone, true},
                      Gel{C(0x1F417C), C(0x8CBBEC), C(0x3C80D6), A(0xFFFFFF, 110), kNone, true}};
    l.arrow = C(0x2C2C2C);
    l.thumb = Gel{C(0x2A5FA8), C(0xB6D8FB), C(0x3F8CE2), A(0xFFFFFF, 160), kNone, true};
    return l;
}

Look WinXP()
{
    Look l{};
    l.trackFace = C(0xEFEBDE);
    l.scrollFace = C(0xF9F9F9);
    l.accent = C(0x3169C6);
    // Luna: a bright face, dark blue outline, amber glow on hover.
    l.buttonRadius = 3;
    l.buttonKeyed = false;
    l.button = {Gel{C(0x003C74), C(0xFFFFFF), C(0xD8D2C6), kNone, A(0xFFFFFF, 200), false},
                Gel{C(0x003C74), C(0xFFFFFF), C(0xDCD6CA), kNone, C(0xF9B33A), false, 2},
                Gel{C(0x003C74), C(0xD6D2C6), C(0xF4F3EE), kNone, A(0xB8B3A6, 160), false}};
    l.boxRadius = 0;
    l.box = {Gel{C(0x1C5180), C(0xDCDCD6), C(0xFFFFFF), kNone, kNone, false},
             Gel{C(0x1C5180), C(0xDCDCD6), C(0xFFFFFF), kNone, C(0xF8B33A), false, 2},
             Gel{C(0x1C5180), C(0xB0B0A7), C(0xE3E1D9), kNone, kNone, false},
             Gel{C(0xCAC8BB), C(0xF4F3EE), C(0xFFFFFF), kNone, kNone, false}};
    l.mark = C(0x21A121);
    l.markDisabled = C(0xCAC8BB);
    l.progress = Gel{C(0x2B9A2B), C(0xC8F5C4), C(0x2FBF2F), A(0xFFFFFF, 120), kNone, false};
    l.title = Band{
        {{0, C(0x3D95FF)}, {0.12, C(0x0A64F5)}, {0.45, C(0x0058EE)}, {0.8, C(0x0050DC)}, {1, C(0x0040C0)}},
        C(0x6AB0FF),
        C(0x0031A8),
        A(0xFFFFFF, 40),
        false};
    l.cornerRadius = 8;
    l.titleButtonTop = 5;
    l.titleButtonsKeyed = false;
    l.titleButtonShape = ButtonShape::Square;
    l.titleButton = {Gel{C(0xFFFFFF), C(0x5A9CFF), C(0x1F56D9), A(0xFFFFFF, 70), kNone, false},
                     Gel{C(0xFFFFFF), C(0x8CC0FF), C(0x3A78F0), A(0xFFFFFF, 90), kNone, false},
                     Gel{C(0xFFFFFF), C(0x1A46B8), C(0x3C6FE0), kNone, kNone, false}};
    l.closeButton = {Gel{C(0xFFFFFF), C(0xE9876A), C(0xC7381A), A(0xFFFFFF, 60), kNone, false},
                     Gel{C(0xFFFFFF), C(0xFFB097), C(0xE0502E), A(0xFFFFFF, 80), kNone, false},
                     Gel{C(0xFFFFFF), C(0xA42A10), C(0xD5583A), kNone, kNone, false}};
    l.titleGlyph = {C(0xFFFFFF), C(0xFFFFFF), C(0xE8E8E8)};
    l.tabRadius = 2;
    l.tabActive = Gel{C(0x919B9C), C(0xFFFFFF), C(0xFCFCFE), kNone, kNone, false};
    l.tabInactive = Gel{C(0x919B9C), C(0xFEFEFE), C(0xE4E3DC), kNone, kNone, false};
    l.tabLine = {{0, C(0x919B9C)}, {1, C(0x919B9C)}};
    l.groove = Gel{C(0x9D9C99), C(0xE6E4DB), C(0xFFFFFF), kNone, kNone, false};
    l.slider = Gel{C(0x7E8A99), C(0xFFFFFF), C(0xE6E4DA), kNone, C(0x3CA73C), false};
    l.scrollButton = {Gel{C(0xB5C8F6), C(0xD8E4FE), C(0xB3C9F8), kNone, A(0xFFFFFF, 200), false},
                      Gel{C(0xC2D4FB), C(0xEDF3FF), C(0xC8D9FC), kNone, A(0xFFFFFF, 230), false},
                      Gel{C(0x8FA9E6), C(0x9DB6EC), C(0xB8CCF4), kNone, kNone, false}};
    l.arrow = C(0x4D6185);
    l.thumb = Gel{C(0x98AEE8), C(0xD6E2FE), C(0xB6CAF8), kNone, A(0xFFFFFF, 210), false};
    return l;
}

Look DeepBlue()
{
    Look l{};
    l.trackFace = C(0xE8E8E8);
    l.scrollFace = C(0xF5F5F5);
    l.accent = C(0x444AA0);
    // Steel-blue faces under a navy outline, readable with dark captions.
    l.buttonRadius = 2;
    l.buttonKeyed = false;
    l.button = {Gel{C(0x10204A), C(0xE4ECFA), C(0x9DB4E0), kNone, A(0xFFFFFF, 170), false},
                Gel{C(0x1E3C8C), C(0xF2F7FF), C(0xB2CAF4), kNone, C(0x6E9BF0), false},
                Gel{C(0x0B1E4A), C(0x8AA4D6), C(0xC3D3EE), kNone, A(0x0B1E4A, 90), false}};
    l.boxRadius = 0;
    l.box = {Gel{C(0x10204A), C(0xFFFFFF), C(0xCCD8EE), kNone, kNone, false},
             Gel{C(0x1E3C8C), C(0xF4F8FF), C(0xA9C3F0), kNone, C(0x6E9BF0), false},
             Gel{C(0x0B1E4A), C(0x9CB2DC), C(0xD4DEF0), kNone, kNone, false},
             Gel{C(0x9A9A9A), C(0xF2F2F2), C(0xE2E2E2), kNone, kNone, false}};
    l.mark = C(0x132C70);
    l.markDisabled = C(0xA0A0A0);
    l.progress = Gel{C(0x0B1E4A), C(0x6E98EC), C(0x16317A), A(0xFFFFFF, 60), kNone, false};
    l.title = Band{{{0, C(0x2A4FA8)}, {0.45, C(0x132E78)}, {0.8, C(0x0A1D55)}, {1, C(0x06123A)}},
                   C(0x6F93E0),
                   C(0x3A66C8),
                   A(0xFFFFFF, 45),
                   false};
    l.cornerRadius = 0;
    l.titleButtonTop = 2;
    l.titleButtonsKeyed = false;
    l.titleButtonShape = ButtonShape::Square;
    l.titleButton = {Gel{C(0x5C84D8), C(0x2A4C9C), C(0x0E2060), A(0xFFFFFF, 50), kNone, false},
                     Gel{C(0x8FB2F5), C(0x3E68C4), C(0x183483), A(0xFFFFFF, 70), kNone, false},
                     Gel{C(0x5C84D8), C(0x0A183F), C(0x1E3A7E), kNone, kNone, false}};
    l.closeButton = {Gel{C(0xD86A6A), C(0x8E2A3A), C(0x4A0E1C), A(0xFFFFFF, 50), kNone, false},
                     Gel{C(0xF59A9A), C(0xC23A48), C(0x6E1626), A(0xFFFFFF, 70), kNone, false},
                     Gel{C(0xD86A6A), C(0x3A0812), C(0x7A1C2A), kNone, kNone, false}};
    l.titleGlyph = {C(0xDCE8FF), C(0xFFFFFF), C(0xB8C8EE)};
    l.tabRadius = 1;
    l.tabActive = Gel{C(0x10204A), C(0xFFFFFF), C(0xE6EDFA), kNone, kNone, false};
    l.tabInactive = Gel{C(0x10204A), C(0xC8D5EE), C(0x93AAD8), kNone, kNone, false};
    l.tabLine = {{0, C(0x10204A)}, {0.25, C(0x3A66C8)}, {0.7, C(0x1E3C8C)}, {1, C(0x0B1E4A)}};
    l.groove = Gel{C(0x0B1E4A), C(0x2A4C9C), C(0x8AA6DA), kNone, kNone, false};
    l.slider = Gel{C(0x0B1E4A), C(0xA9C3F0), C(0x2A4C9C), A(0xFFFFFF, 80), kNone, false};
    l.scrollButton = {Gel{C(0x1E3C8C), C(0xD4E0F6), C(0x93AEDE), kNone, A(0xFFFFFF, 150), false},
                      Gel{C(0x2A52B0), C(0xEAF1FF), C(0xABC6F2), kNone, A(0xFFFFFF, 200), false},
                      Gel{C(0x0B1E4A), C(0x7C98CE), C(0xB4C7EA), kNone, kNone, false}};
    l.arrow = C(0x0E2060);
    l.thumb = Gel{C(0x1E3C8C), C(0xB4C8EE), C(0x6F8FCF), kNone, A(0xFFFFFF, 140), false};
    return l;
}

Look Protein()
{
    Look l{};
    l.trackFace = C(0xFBFBFB);
    l.scrollFace = C(0xF5F5F5);
    l.accent = C(0x2D30C4);
    // Clean light greys held by crisp near-black lines.
    l.buttonRadius = 2;
    l.buttonKeyed = false;
    l.button = {Gel{C(0x3A3A3A), C(0xFFFFFF), C(0xE2E2E2), kNone, A(0xFFFFFF, 230), false},
                Gel{C(0x1A1A1A), C(0xFFFFFF), C(0xD6DCE4), kNone, C(0x8E9DB8), false},
                Gel{C(0x000000), C(0xC8C8C8), C(0xEAEAEA), kNone, A(0x000000, 50), false}};
    l.boxRadius = 0;
    l.box = {Gel{C(0x262626), C(0xF0F0F0), C(0xFFFFFF), kNone, kNone, false},
             Gel{C(0x1A1A1A), C(0xFFFFFF), C(0xDCE2EA), kNone, C(0x8E9DB8), false},
             Gel{C(0x000000), C(0xC4C4C4), C(0xE6E6E6), kNone, kNone, false},
             Gel{C(0xA8A8A8), C(0xEEEEEE), C(0xFAFAFA), kNone, kNone, false}};
    l.mark = C(0x1C1C1C);
    l.markDisabled = C(0xABABAB);
    l.progress = Gel{C(0x202020), C(0xA9AEB6), C(0x3E4248), A(0xFFFFFF, 60), kNone, false};
    l.title = Band{{{0, C(0x5D6268)}, {0.5, C(0x44484E)}, {1, C(0x2B2E33)}},
                   C(0x9096A0),
                   C(0x000000),
                   A(0xFFFFFF, 28),
                   false};
    l.cornerRadius = 0;
    l.titleButtonTop = 2;
    l.titleButtonsKeyed = true;
    l.titleButtonShape = ButtonShape::Square;
    l.titleButton = {Gel{C(0x101010), C(0xF2F2F2), C(0xBEC2C7), kNone, A(0xFFFFFF, 200), false},
                     Gel{C(0x101010), C(0xFFFFFF), C(0xD8DEE8), kNone, C(0x8E9DB8), false},
                     Gel{C(0x000000), C(0x33363B), C(0x5A5E64), kNone, A(0x000000, 80), false}};
    l.closeButton = l.titleButton;
    l.titleGlyph = {C(0x1E1E1E), C(0x2D30C4), C(0xF0F0F0)};
    l.tabRadius = 2;
    l.tabActive = Gel{C(0x1A1A1A), C(0xFFFFFF), C(0xFBFBFB), kNone, kNone, false};
    l.tabInactive = Gel{C(0x3A3A3A), C(0xEDEDED), C(0xD3D3D3), kNone, A(0xFFFFFF, 160), false};
    l.tabLine = {{0, C(0x1A1A1A)}, {0.2, C(0xFFFFFF)}, {0.8, C(0xEDEDED)}, {1, C(0xD4D4D4)}};
    l.groove = Gel{C(0x1A1A1A), C(0x6A6E74), C(0xC8CACD), kNone, kNone, false};
    l.slider = Gel{C(0x1A1A1A), C(0xFFFFFF), C(0xCDD0D4), kNone, A(0xFFFFFF, 200), false};
    l.scrollButton = {Gel{C(0x3A3A3A), C(0xFFFFFF), C(0xDEDEDE), kNone, A(0xFFFFFF, 220), false},
                      Gel{C(0x1A1A1A), C(0xFFFFFF), C(0xD6DCE4), kNone, C(0x8E9DB8), false},
                      Gel{C(0x000000), C(0xC8C8C8), C(0xE8E8E8), kNone, kNone, false}};
    l.arrow = C(0x1C1C1C);
    l.thumb = Gel{C(0x3A3A3A), C(0xF6F6F6), C(0xD2D4D7), kNone, A(0xFFFFFF, 220), false};
    return l;
}

Look BlueGlass()
{
    Look l{};
    l.trackFace = C(0xE7E7E7);
    l.scrollFace = C(0xF4F4F4);
    l.accent = C(0x5E5EEC);
    // Glass: a bright upper half breaking into a deeper lower half.
    l.buttonRadius = 6;
    l.buttonKeyed = true;
    l.button = {Gel{C(0x3A6EA5), C(0xEAF4FF), C(0x9CC8F2), A(0xFFFFFF, 150), A(0xFFFFFF, 120), true},
                Gel{C(0x2C8AD8), C(0xF2FAFF), C(0x8AD2FA), A(0xFFFFFF, 170), A(0xFFFFFF, 150), true},
                Gel{C(0x24507E), C(0xB0CFF0), C(0x5E98D8), A(0xFFFFFF, 70), kNone, true}};
    l.boxRadius = 2;
    l.box = {Gel{C(0x3A6EA5), C(0xFFFFFF), C(0xCFE3F8), A(0xFFFFFF, 120), kNone, true},
             Gel{C(0x2C8AD8), C(0xF4FBFF), C(0xA8DCFA), A(0xFFFFFF, 140), kNone, true},
             Gel{C(0x24507E), C(0xB8D4F0), C(0x7FAEE0), kNone, kNone, true},
             Gel{C(0xA6B4C2), C(0xF4F6F8), C(0xE4E8EC), kNone, kNone, false}};
    l.mark = C(0x103C78);
    l.markDisabled = C(0xA6B4C2);
    l.progress = Gel{C(0x1E4E8C), C(0x9FD0FF), C(0x2C78D8), A(0xFFFFFF, 110), kNone, true};
    l.title = Band{{{0, C(0x8CBDF5)}, {0.46, C(0x4A8AE0)}, {0.5, C(0x1F5FC2)}, {1, C(0x3080E0)}},
                   C(0xD2E6FF),
                   C(0x0E3C8A),
                   A(0xFFFFFF, 40),
                   false};
    l.cornerRadius = 6;
    l.titleButtonTop = 6;
    l.titleButtonsKeyed = true;
    l.titleButtonShape = ButtonShape::Orb;
    l.titleButton = {Gel{C(0x0E3C8A), C(0xBFE0FF), C(0x2C6FD0), A(0xFFFFFF, 160), kNone, true},
                     Gel{C(0x0E3C8A), C(0xDDF0FF), C(0x3E9AF0), A(0xFFFFFF, 190), kNone, true},
                     Gel{C(0x082A66), C(0x7EA8E0), C(0x1A4C9E), A(0xFFFFFF, 90), kNone, true}};
    l.closeButton = {Gel{C(0x7A1A10), C(0xFFC2B2), C(0xD4402C), A(0xFFFFFF, 160), kNone, true},
                     Gel{C(0x7A1A10), C(0xFFDCD2), C(0xF05A40), A(0xFFFFFF, 190), kNone, true},
                     Gel{C(0x5A1008), C(0xD88A7C), C(0x9A2616), A(0xFFFFFF, 90), kNone, true}};
    l.titleGlyph = {C(0xFFFFFF), C(0xFFFFFF), C(0xE0ECFF)};
    l.tabRadius = 3;
    l.tabActive = Gel{C(0x3A6EA5), C(0xFFFFFF), C(0xF2F8FF), A(0xFFFFFF, 120), kNone, false};
    l.tabInactive = Gel{C(0x3A6EA5), C(0xDDEEFF), C(0x98C4F0), A(0xFFFFFF, 130), kNone, true};
    l.tabLine = {{0, C(0x3A6EA5)}, {0.2, C(0xBFE0FF)}, {0.5, C(0x5E98D8)}, {1, C(0x2C6FD0)}};
    l.groove = Gel{C(0x24507E), C(0x5E98D8), C(0xCFE3F8), kNone, kNone, false};
    l.slider = Gel{C(0x24507E), C(0xEAF4FF), C(0x5E98D8), A(0xFFFFFF, 140), kNone, true};
    l.scrollButton = {Gel{C(0x3A6EA5), C(0xEAF4FF), C(0xA8CFF4), A(0xFFFFFF, 120), kNone, true},
                      Gel{C(0x2C8AD8), C(0xF4FBFF), C(0x9ADAFA), A(0xFFFFFF, 150), kNone, true},
                      Gel{C(0x24507E), C(0xB0CFF0), C(0x6FA4DC), kNone, kNone, true}};
    l.arrow = C(0x123E78);
    l.thumb = Gel{C(0x3A6EA5), C(0xDDEEFF), C(0x7FB4EC), A(0xFFFFFF, 130), kNone, true};
    return l;
}

} // namespace

// Each look's art, in the order of kSuiLooks.
constexpr Look (*kArt[])() = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
static_assert(std::size(kArt) == kSuiLookCount, "every look has its art");

const Look& LookOf(Style style)
{
    static const std::array<Look, kSuiLookCount> looks = [] {
        std::array<Look, kSuiLookCount> all;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const TsuiLook& look = kSuiLooks[i];
            Look& l = all[i];
            l = kArt[i]();
            l.style = look.Style;
            l.prefix = QString::fromLatin1(look.Prefix);
            // The table's colours are 0x00BBGGRR.
            l.face = QColor(int(look.Face & 0xFF), int(look.Face >> 8 & 0xFF), int(look.Face >> 16 & 0xFF));
            l.size = SizesOf(l.style);
        }
        return all;
    }();
    return looks[SuiLookIndex(style)];
}

QSize FixedSize(const QString& name)
{
    for (const tessel::FixedSkinBitmap& fixed : tessel::kFixedSkinBitmaps)
        if (name == QLatin1String(fixed.Name))
            return {fixed.Size.Width, fixed.Size.Height};
    return {};
}

} // namespace skingen
