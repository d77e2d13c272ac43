#include "SkinSheet.h"

#include "framework/TCanvas.h"
#include "skin/Suipublic.h"

#include <algorithm>

namespace {

constexpr int kWidth = 1400;
constexpr int kMargin = 12;
constexpr int kGap = 10;
constexpr TsuiUIStyle kStyles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};

const char* StyleName(TsuiUIStyle style)
{
    switch (style) {
    case MacOS:
        return "MacOS";
    case WinXP:
        return "WinXP";
    case DeepBlue:
        return "DeepBlue";
    case Protein:
        return "Protein";
    case BlueGlass:
        return "BlueGlass";
    default:
        return "Custom";
    }
}

class SheetWriter
{
public:
    SheetWriter(TCanvas& canvas, QStringList& missing) : m_canvas(canvas), m_missing(missing) {}

    int Y() const { return m_y; }

    void Heading(const QString& text, int size)
    {
        m_canvas.Font.Size = size;
        m_canvas.Font.Bold = true;
        m_canvas.Brush.Style = bsClear;
        m_canvas.TextOut(kMargin, m_y, text);
        m_y += m_canvas.TextHeight(text) + 4;
        m_canvas.Font.Bold = false;
        m_canvas.Font.Size = 8;
    }

    TBitmap Load(const QString& name)
    {
        TBitmap bitmap = LoadSkinBitmap(name);
        if (bitmap.Empty() && !m_missing.contains(name))
            m_missing.append(name);
        return bitmap;
    }

    // Each bitmap at its own size over a checker, so masked colours stand out,
    // with its element number underneath.
    void BitmapRow(TsuiUIStyle style)
    {
        int x = kMargin;
        int rowHeight = 0;
        for (int index = 1; index <= SUI_THEME_ELEMENT_COUNT; ++index) {
            const QString name = GetThemeString(style, TsuiThemeElement(index));
            if (name.isEmpty())
                continue;
            const TBitmap bitmap = Load(name);
            const int w = std::max(bitmap.Width(), 24);
            const int h = bitmap.Height() + 14;
            if (x + w > kWidth - kMargin) {
                x = kMargin;
                m_y += rowHeight + kGap;
                rowHeight = 0;
            }
            Checker(Bounds(x, m_y, bitmap.Width(), bitmap.Height()));
            m_canvas.Draw(x, m_y, bitmap);
            m_canvas.Brush.Style = bsClear;
            m_canvas.TextOut(x, m_y + bitmap.Height() + 1, QString::number(index));
            x += w + kGap;
            rowHeight = std::max(rowHeight, h);
        }
        m_y += rowHeight + kGap;
    }

    void Buttons(TsuiUIStyle style)
    {
        const QSize sizes[] = {{40, 18}, {75, 23}, {110, 30}};
        int x = kMargin;
        for (int index = 24; index <= 26; ++index) {
            const TBitmap bitmap = Load(GetThemeString(style, TsuiThemeElement(index)));
            for (const QSize& size : sizes) {
                QImage button(size, QImage::Format_ARGB32);
                button.fill(ToQColor(GetThemeColor(style, teFormColor)));
                {
                    TCanvas canvas(button);
                    SpitDraw(bitmap, canvas, Rect(0, 0, size.width(), size.height()), true);
                    canvas.Font.Color = clBlack;
                    canvas.Brush.Style = bsClear;
                    canvas.DrawText(QString::fromUtf8("&确定"), Rect(0, 0, size.width(), size.height()),
                                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                }
                m_canvas.DrawImage(Bounds(x, m_y, size.width(), size.height()), button,
                                   Rect(0, 0, size.width(), size.height()));
                x += size.width() + kGap;
            }
            x += kGap * 2;
        }
        m_y += 30 + kGap;
    }

    void TabStrips(TsuiUIStyle style)
    {
        const TBitmap active = Load(GetThemeString(style, teTabActive));
        const TBitmap inactive = Load(GetThemeString(style, teTabInactive));
        const TBitmap line = Load(GetThemeString(style, teTabLine));
        const int stripHeight = GetThemeInt(style, teTabStripHeight);
        int x = kMargin;
        for (const int width : {220, 420}) {
            QImage strip(width, stripHeight, QImage::Format_ARGB32);
            strip.fill(ToQColor(GetThemeColor(style, teFormColor)));
            {
                TCanvas canvas(strip);
                const int h = inactive.Height();
                canvas.StretchDraw(Rect(1, h, width - 1, h + line.Height()), line);
                canvas.Pen.Color = GetThemeColor(style, teControlBorderColor);
                canvas.MoveTo(0, h);
                canvas.LineTo(0, h + line.Height());
                canvas.MoveTo(width - 1, h);
                canvas.LineTo(width - 1, h + line.Height());
                canvas.Brush.Style = bsClear;
                canvas.Font.Color = clBlack;
                const QString tabs[] = {QString::fromUtf8("系统"), QString::fromUtf8("网络"),
                                        QString::fromUtf8("浏览器")};
                int tabX = 4;
                for (int i = 0; i < 3; ++i) {
                    const int w = canvas.TextWidth(tabs[i]) + 20;
                    const bool selected = i == (width > 300 ? 1 : 0);
                    const TRect r = selected ? Rect(tabX, 1, tabX + w, h + 1) : Rect(tabX, 0, tabX + w, h);
                    SpitDrawHorizontal(selected ? active : inactive, canvas, r, true);
                    canvas.DrawText(tabs[i], r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                    tabX += w;
                }
            }
            m_canvas.DrawImage(Bounds(x, m_y, width, stripHeight), strip, Rect(0, 0, width, stripHeight));
            x += width + kGap * 3;
        }
        m_y += stripHeight + kGap;
    }

    void TitleBars(TsuiUIStyle style)
    {
        const TBitmap left = Load(GetThemeString(style, teTitleLeft));
        const TBitmap client = Load(GetThemeString(style, teTitleClient));
        const TBitmap right = Load(GetThemeString(style, teTitleRight));
        TBitmap close = Load(GetThemeString(style, teTitleCloseNormal));
        close.SetTransparent(GetThemeBool(style, teTitleButtonTransparent));
        const int height = std::max({left.Height(), client.Height(), right.Height()});
        int y = m_y;
        for (const int width : {left.Width() + right.Width() + 40, 520, 900}) {
            QImage bar(width, height, QImage::Format_ARGB32);
            bar.fill(ToQColor(GetThemeColor(style, teFormColor)));
            {
                TCanvas canvas(bar);
                canvas.Draw(0, 0, left);
                canvas.StretchDraw(Rect(left.Width(), 0, width - right.Width(), client.Height()), client);
                canvas.Draw(width - right.Width(), 0, right);
                canvas.Draw(width - close.Width() + GetThemeInt(style, teTitleRightBtnXOffset) - 4,
                            GetThemeInt(style, teTitleButtonTop), close);
                canvas.Font.Color = clWhite;
                canvas.Font.Bold = true;
                canvas.Brush.Style = bsClear;
                canvas.DrawText(QStringLiteral("       Tessel V1.2"), Rect(8, 0, width, height),
                                DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            }
            m_canvas.DrawImage(Bounds(kMargin, y, width, height), bar, Rect(0, 0, width, height));
            y += height + kGap;
        }
        m_y = y;
    }

private:
    void Checker(const TRect& rect)
    {
        for (int y = rect.Top; y < rect.Bottom; y += 4)
            for (int x = rect.Left; x < rect.Right; x += 4) {
                m_canvas.Brush.Style = bsSolid;
                m_canvas.Brush.Color =
                    ((x - rect.Left) / 4 + (y - rect.Top) / 4) % 2 ? RGB(204, 204, 204) : clWhite;
                m_canvas.FillRect(Rect(x, y, std::min(x + 4, rect.Right), std::min(y + 4, rect.Bottom)));
            }
    }

    TCanvas& m_canvas;
    QStringList& m_missing;
    int m_y = kMargin;
};

} // namespace

SkinSheet RenderSkinSheet()
{
    SkinSheet sheet;
    QImage page(kWidth, 8000, QImage::Format_ARGB32);
    page.fill(ToQColor(RGB(240, 240, 240)));
    int bottom = 0;
    {
        TCanvas canvas(page);
        canvas.Font.Color = clBlack;
        SheetWriter writer(canvas, sheet.Missing);
        for (const TsuiUIStyle style : kStyles) {
            writer.Heading(QString::fromLatin1(StyleName(style)), 14);
            writer.BitmapRow(style);
            writer.Buttons(style);
            writer.TabStrips(style);
            writer.TitleBars(style);
        }
        writer.Heading(QStringLiteral("Fixed names"), 14);
        int x = kMargin;
        const int top = writer.Y();
        for (const char* name : {"MENU_CHECKED", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND",
                                 "MACOS_MENU_BAR", "MACOS_MENU_SELECT", "MACOS_COMBOBOX_BUTTON"}) {
            const TBitmap bitmap = writer.Load(QString::fromLatin1(name));
            if (QByteArray(name).endsWith("FORM_BACKGROUND")) {
                // The form face tiles these.
                QImage face(64, 32, QImage::Format_ARGB32);
                face.fill(Qt::white);
                {
                    TCanvas faceCanvas(face);
                    TileDraw(faceCanvas, bitmap, Rect(0, 0, 64, 32));
                }
                canvas.DrawImage(Bounds(x, top, 64, 32), face, Rect(0, 0, 64, 32));
                x += 64 + kGap;
                continue;
            }
            canvas.Draw(x, top, bitmap);
            x += std::max(bitmap.Width(), 16) + kGap;
        }
        bottom = top + 40;
    }
    sheet.Image = page.copy(0, 0, kWidth, bottom);
    return sheet;
}
