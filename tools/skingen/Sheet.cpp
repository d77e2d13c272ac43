#include "Sheet.h"

#include "Look.h"
#include "Painting.h"

#include <QFont>
#include <QPainter>

namespace skingen {
namespace {

// Key colour made transparent, as the image lists of the components do.
QImage Masked(const QImage& src, QRgb key)
{
    QImage out = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if ((out.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF))
                out.setPixel(x, y, 0);
    return out;
}

void Piece(QPainter& p, const QImage& src, QRect from, QRect to, bool masked)
{
    if (from.width() <= 0 || from.height() <= 0 || to.width() <= 0 || to.height() <= 0)
        return;
    const QImage part = src.copy(from);
    p.drawImage(to, masked ? Masked(part, 0xFF00FF) : part);
}

// Nine-slice stretch with the same cuts as the skinned button's.
void SpitDraw(QPainter& p, const QImage& s, QSize target, bool transparent)
{
    const int sw = s.width(), sh = s.height(), hw = sw / 2, hh = sh / 2;
    const int W = target.width(), H = target.height(), HW = W / 2, HH = H / 2;
    auto clampSize = [](int a, int b) { return std::max(0, std::min(a, b)); };
    const QSize tl(clampSize(hw, HW), clampSize(hh, HH));
    const QSize bl(clampSize(hw, HW), clampSize(hh - 1, HH - 1));
    const QSize tr(clampSize(hw - 1, HW - 1), clampSize(hh, HH));
    const QSize br(clampSize(hw - 1, HW - 1), clampSize(hh - 1, HH - 1));
    const QRect TL(QPoint(0, 0), tl), BL(QPoint(0, H - bl.height()), bl);
    const QRect TR(QPoint(W - tr.width(), 0), tr), BR(QPoint(W - br.width(), H - br.height()), br);
    Piece(p, s, QRect(0, 0, tl.width(), tl.height()), TL, transparent);
    Piece(p, s, QRect(0, sh - bl.height(), bl.width(), bl.height()), BL, transparent);
    Piece(p, s, QRect(sw - tr.width(), 0, tr.width(), tr.height()), TR, transparent);
    Piece(p, s, QRect(sw - br.width(), sh - br.height(), br.width(), br.height()), BR, transparent);
    auto r = [](int l, int t, int rr, int b) { return QRect(QPoint(l, t), QPoint(rr - 1, b - 1)); };
    const int tlR = TL.x() + TL.width(), tlB = TL.y() + TL.height();
    const int trB = TR.y() + TR.height(), brB = BR.y() + BR.height(), trR = TR.x() + TR.width();
    Piece(p, s, r(0, hh, hw, sh - hh), r(0, tlB, tlR, BL.y()), true);
    Piece(p, s, r(sw - hw + 1, sh - hh, sw, hh + 2), r(TR.x(), trB, trR, BR.y()), true);
    Piece(p, s, r(hw, 0, sw - hw + 1, hh), r(tlR, 0, TR.x(), tlB), true);
    Piece(p, s, r(hw, hh, sw - hw + 1, sh - hh), r(tlR, tlB, TR.x(), BR.y() - 1), true);
    Piece(p, s, r(hw, sh - hh, sw - hw + 1, sh), r(tlR - 1, BL.y() - 1, BR.x(), brB), true);
}

// Three-slice stretch masked by the top-left pixel, as tabs and grooves are drawn.
void SpitDrawHorizontal(QPainter& p, const QImage& s, QRect to, bool transparent)
{
    const int c = s.width() / 3;
    const QImage src = transparent ? Masked(s, s.pixel(0, 0)) : s.convertToFormat(QImage::Format_ARGB32);
    p.drawImage(to.topLeft(), src.copy(0, 0, c, s.height()));
    p.drawImage(QPoint(to.right() + 1 - c, to.top()), src.copy(2 * c, 0, c, s.height()));
    p.drawImage(QRect(to.left() + c, to.top(), to.width() - 2 * c, s.height()),
                src.copy(c, 0, c, s.height()));
}

struct Offsets
{
    int left, right;
};
Offsets TitleOffsets(Style s)
{
    switch (s) {
    case Style::MacOS:
        return {3, -2};
    case Style::WinXP:
        return {2, -2};
    case Style::BlueGlass:
        return {4, -3};
    default:
        return {0, 0};
    }
}

class SheetPainter
{
public:
    SheetPainter(const QMap<QString, QImage>& skin, const QMap<QString, QImage>& pictures)
        : skin_(skin), pictures_(pictures)
    {
    }

    QImage Paint()
    {
        QImage sheet(1800, 3200, QImage::Format_RGB32);
        sheet.fill(QColor(0x80, 0x84, 0x8A));
        QPainter p(&sheet);
        p.setFont(QFont("DejaVu Sans", 9));
        int y = 10;
        for (Style style : kStyles)
            y = PaintStyle(p, LookOf(style), y) + 16;
        y = PaintMainWindow(p, y);
        PaintLoose(p, y + 10);
        p.end();
        return sheet.copy(0, 0, sheet.width(), std::min(sheet.height(), y + 720));
    }

private:
    const QImage& Get(const QString& name) const
    {
        static const QImage none;
        auto it = skin_.find(name);
        return it == skin_.end() ? none : it.value();
    }

    int PaintStyle(QPainter& p, const Look& l, int top)
    {
        p.setPen(Qt::white);
        p.drawText(10, top + 12, l.prefix);
        int x = 10, y = top + 20, rowH = 0;
        for (auto it = skin_.begin(); it != skin_.end(); ++it) {
            if (!it.key().startsWith(l.prefix) || it.key().contains("FORM_") || it.key().contains("MENU_") ||
                it.key().contains("COMBOBOX"))
                continue;
            const QImage big = it.value().scaled(it.value().size() * 3);
            const int w = std::min(big.width(), 600);
            if (x + w > 1780) {
                x = 10;
                y += rowH + 6;
                rowH = 0;
            }
            p.drawImage(x, y, big, 0, 0, w, big.height());
            x += w + 6;
            rowH = std::max(rowH, big.height());
        }
        y += rowH + 10;
        return PaintComposed(p, l, y);
    }

    int PaintComposed(QPainter& p, const Look& l, int top)
    {
        const QString px = l.prefix;
        // A window face with the title bar and controls at their real sizes.
        const QRect face(10, top, 620, 190);
        p.fillRect(face, l.face);
        if (l.style == Style::MacOS || l.style == Style::Protein) {
            const QImage tile = Get(px + "FORM_BACKGROUND");
            p.fillRect(face, QBrush(tile));
        }
        PaintTitle(p, l, QPoint(face.left(), face.top()), face.width());
        int x = face.left() + 10;
        const int y = face.top() + l.size.titleClient.height() + 10;
        for (const char* s : {"NORMAL", "MOUSEON", "MOUSEDOWN"}) {
            PaintButton(p, l, px + "BUTTON_" + s, QRect(x, y, 84, 25));
            PaintButton(p, l, px + "BUTTON_" + s, QRect(x, y + 32, 84, l.style == Style::MacOS ? 23 : 30));
            x += 92;
        }
        PaintButton(p, l, px + "BUTTON_NORMAL", QRect(face.left() + 290, y + 64, 300, 27));
        PaintTabs(p, l, QRect(face.left() + 290, y, 300, 60));
        // Progress bar at 150x12 with half the fill.
        const QImage prog = Get(px + "PROGRESSBAR");
        const QRect bar(face.left() + 10, y + 72, 150, prog.height() + 2);
        p.fillRect(bar, l.face);
        p.drawImage(QRect(bar.left() + 1, bar.top() + 1, 74, prog.height()), prog);
        p.setPen(QColor(0x7F, 0x7F, 0x7F));
        p.drawRect(bar.adjusted(0, 0, -1, -1));
        // Track bar.
        const QImage groove = Get(px + "TRACKBAR_BAR");
        const QImage slider = Get(px + "TRACKBAR_SLIDER");
        const QRect track(face.left() + 10, y + 96, 200, std::max(groove.height(), slider.height()));
        p.fillRect(track, l.trackFace);
        SpitDrawHorizontal(
            p, groove,
            QRect(track.left(), track.top() + (track.height() - groove.height()) / 2, 200, groove.height()),
            false);
        p.drawImage(track.left() + 90, track.top(), slider);
        // A vertical scroll bar 120 high.
        PaintScroll(p, l, QPoint(face.left() + 230, y + 70), 100);
        // Check boxes and radios in every state.
        int cx = face.left() + 10;
        for (const QString& n : skin_.keys()) {
            if (n.startsWith(px + "CHECKBOX") || n.startsWith(px + "RADIOBUTTON")) {
                const QImage& img = Get(n);
                p.drawImage(cx, y + 124, n.contains("RADIO") ? Masked(img, img.pixel(0, 0)) : img);
                cx += img.width() + 4;
            }
        }
        return face.bottom() + 1;
    }

    void PaintTitle(QPainter& p, const Look& l, QPoint at, int width)
    {
        const QString px = l.prefix;
        const QImage left = Get(px + "TITLE_LEFT"), right = Get(px + "TITLE_RIGHT"),
                     client = Get(px + "TITLE_CLIENT");
        const int h = left.height();
        p.drawImage(at, left);
        p.drawImage(at + QPoint(width - right.width(), 0), right);
        p.drawImage(QRect(at.x() + left.width(), at.y(), width - left.width() - right.width(), h), client);
        const Offsets off = TitleOffsets(l.style);
        int x = width + off.right + 1;
        const bool keyed = l.titleButtonsKeyed;
        const char* states[] = {"NORMAL", "MOUSEON", "MOUSEDOWN"};
        int i = 0;
        for (const char* kind : {"CLOSE", "MAX", "MIN", "HELP"}) {
            const QImage b = Get(px + "TITLEBTN_" + kind + "_" + states[i++ % 3]);
            x -= b.width() + 1;
            p.drawImage(at + QPoint(x, l.titleButtonTop), keyed ? Masked(b, 0xFF00FF) : b);
        }
        const QImage ctl = Get(px + "TITLEBTN_CTLBOX_NORMAL");
        p.drawImage(at + QPoint(off.left, l.titleButtonTop), keyed ? Masked(ctl, 0xFF00FF) : ctl);
        QFont f("DejaVu Sans", 8, QFont::Bold);
        p.setFont(f);
        p.setPen(l.style == Style::MacOS ? Qt::black : Qt::white);
        p.drawText(QRect(at.x() + off.left + ctl.width() + 5, at.y(), 300, h), Qt::AlignVCenter,
                   "Tessel V1.2");
        p.setFont(QFont("DejaVu Sans", 9));
    }

    void PaintButton(QPainter& p, const Look& l, const QString& name, QRect r,
                     const QString& caption = "确定 OK")
    {
        p.save();
        p.translate(r.topLeft());
        SpitDraw(p, Get(name), r.size(), l.buttonKeyed);
        p.setPen(Qt::black);
        p.drawText(QRect(QPoint(0, 0), r.size()), Qt::AlignCenter, caption);
        p.restore();
    }

    void PaintTabs(QPainter& p, const Look& l, QRect r)
    {
        const QImage active = Get(l.prefix + "TAB_ACTIVE"), inactive = Get(l.prefix + "TAB_INACTIVE"),
                     line = Get(l.prefix + "TAB_LINE");
        const int H = inactive.height(), L = line.height();
        p.fillRect(QRect(r.left(), r.top() + H + L, r.width(), r.height() - H - L), Qt::white);
        p.drawImage(QRect(r.left() + 1, r.top() + H, r.width() - 2, L), line);
        int x = r.left() + 10;
        const int widths[] = {76, 84, 70};
        for (int i = 0; i < 3; ++i) {
            if (i == 1)
                SpitDrawHorizontal(p, active, QRect(x, r.top() + 1, widths[i], H), true);
            else
                SpitDrawHorizontal(p, inactive, QRect(x, r.top(), widths[i], H), true);
            p.setPen(Qt::black);
            p.drawText(QRect(x, r.top() + (i == 1), widths[i], H), Qt::AlignCenter,
                       i == 1 ? "网络安全类" : "功能限制类");
            x += widths[i];
        }
    }

    void PaintScroll(QPainter& p, const Look& l, QPoint at, int height)
    {
        const QImage top = Get(l.prefix + "SCROLLBAR_TOPBUTTON_NORMAL");
        const QImage bottom = Get(l.prefix + "SCROLLBAR_BTMBUTTON_MOUSEON");
        const QImage thumb = Get(l.prefix + "SCROLLBAR_TRACK");
        p.fillRect(QRect(at, QSize(top.width(), height)), l.scrollFace);
        p.drawImage(at, top);
        p.drawImage(at + QPoint(0, height - bottom.height()), bottom);
        const int c = thumb.height() / 3, len = 40, y0 = at.y() + top.height() + 8;
        p.drawImage(QPoint(at.x(), y0), thumb.copy(0, 0, thumb.width(), c));
        p.drawImage(QRect(at.x(), y0 + c, thumb.width(), len - 2 * c), thumb.copy(0, c, thumb.width(), c));
        p.drawImage(QPoint(at.x(), y0 + len - c), thumb.copy(0, 2 * c, thumb.width(), c));
    }

    int PaintMainWindow(QPainter& p, int top)
    {
        // The program's main window: Protein frame, its own title pictures, WinXP buttons.
        const Look& xp = LookOf(Style::WinXP);
        const QRect win(10, top, 496, 354);
        p.fillRect(win, QBrush(Get("PROTEIN_FORM_BACKGROUND")));
        const QImage l = pictures_["MAIN_TITLE_LEFT.png"], r = pictures_["MAIN_TITLE_RIGHT.png"],
                     c = pictures_["MAIN_TITLE_CLIENT.png"];
        p.drawImage(win.topLeft(), l);
        p.drawImage(QPoint(win.right() + 1 - r.width(), win.top()), r);
        p.drawImage(QRect(win.left() + l.width(), win.top(), win.width() - l.width() - r.width(), 23), c);
        int x = win.width() + 1;
        for (const char* name : {"MAIN_CLOSE_MOUSEON.png", "MAIN_MIN_NORMAL.png"}) {
            x -= 20;
            p.drawImage(win.topLeft() + QPoint(x, 2), Masked(pictures_[name], 0xFF00FF));
        }
        p.setPen(Qt::white);
        p.setFont(QFont("DejaVu Sans", 8, QFont::Bold));
        p.drawText(QRect(win.left() + 6, win.top(), 300, 23), Qt::AlignVCenter, "       Tessel V1.2");
        p.setFont(QFont("DejaVu Sans", 9));
        p.fillRect(QRect(win.left() + 8, win.top() + 40, 131, 249), QColor(0xFB, 0xFB, 0xFB));
        p.setPen(Qt::black);
        p.drawRect(QRect(win.left() + 8, win.top() + 46, 130, 242));
        const char* captions[] = {"登陆程序", "密码修改", "帮助", "关于", "退出"};
        const int tops[] = {27, 60, 127, 160, 194};
        for (int i = 0; i < 5; ++i)
            PaintButton(p, xp, i == 1 ? "WINXP_BUTTON_MOUSEON" : "WINXP_BUTTON_NORMAL",
                        QRect(win.left() + 8 + 23, win.top() + 40 + tops[i], 84, 25), captions[i]);
        PaintButton(p, xp, "WINXP_BUTTON_MOUSEDOWN", QRect(win.left() + 12, win.top() + 305, 60, 25), "确定");
        PaintButton(p, xp, "WINXP_BUTTON_NORMAL", QRect(win.left() + 76, win.top() + 305, 60, 25), "取消");
        p.drawImage(QRect(win.left() + 148, win.top() + 32, 337, 309), pictures_["main.jpg"]);
        // The page control that replaces the picture after logging in, beside it.
        const QRect pages(win.right() + 20, win.top() + 26, 339, 323);
        PaintTabs(p, xp, pages);
        int px = pages.right() + 20;
        for (const char* name : {"login.jpg", "password.jpg", "about.jpg"}) {
            const QImage& img = pictures_[name];
            p.drawImage(px, win.top(), img);
            p.drawImage(QRect(px, win.top() + 160, img.width() * 2, img.height() * 2), img);
            px += img.width() * 2 + 10;
        }
        return win.bottom() + 1;
    }

    void PaintLoose(QPainter& p, int top)
    {
        int x = 10, rowH = 0;
        for (const char* name :
             {"MENU_CHECKED", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR",
              "MACOS_MENU_SELECT", "MACOS_COMBOBOX_BUTTON", "SIDECHANNEL_BAR_NORMAL",
              "SIDECHANNEL_BAR_MOUSEON", "SIDECHANNEL_BTN_ONTOP", "SIDECHANNEL_BTN_NOONTOP",
              "FONTCOMBO_TRUETYPE_FNT", "FONTCOMBO_DEVICE_FNT", "MAINICON", "MAINICON_32"}) {
            const QImage& img = Get(name);
            const QImage big = img.scaled(img.size() * 3);
            p.drawImage(x, top, big);
            x += big.width() + 8;
            rowH = std::max(rowH, big.height());
        }
        x = 10;
        top += rowH + 10;
        for (auto it = pictures_.begin(); it != pictures_.end(); ++it) {
            if (!it.key().startsWith("MAIN_"))
                continue;
            const QImage big = it.value().scaled(it.value().size() * 3);
            if (x + big.width() > 1780) {
                x = 10;
                top += 80;
            }
            p.drawImage(x, top, big);
            x += big.width() + 8;
        }
    }

    const QMap<QString, QImage>& skin_;
    const QMap<QString, QImage>& pictures_;
};

} // namespace

QImage MakeSheet(const QMap<QString, QImage>& skin, const QMap<QString, QImage>& pictures)
{
    return SheetPainter(skin, pictures).Paint();
}

} // namespace skingen
