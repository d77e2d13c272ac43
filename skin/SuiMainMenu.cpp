#include "skin/SuiMainMenu.h"

#include "framework/TControl.h"

#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {

// Every drop-down of one menu is drawn through this style.
class TsuiMenuStyle : public QProxyStyle
{
public:
    explicit TsuiMenuStyle(const TsuiMainMenu& menu)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_menu(menu)
    {
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_MenuItem)
            if (const QAction* item = ItemOf(option, widget))
                return m_menu.MeasureItem(TsuiMainMenu::InfoOf(item), m_menu.ItemFont());
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_MenuItem) {
            const QAction* item = ItemOf(option, widget);
            if (item == nullptr || option->rect.isEmpty())
                return;
            QImage image = DeviceImage(option->rect.size(), painter->device()->devicePixelRatioF());
            image.fill(ToQColor(ColorToRGB(m_menu.Color())));
            {
                TCanvas canvas(image);
                m_menu.DrawItem(TsuiMainMenu::InfoOf(item), canvas,
                                Rect(0, 0, option->rect.width(), option->rect.height()),
                                (option->state & State_Selected) != 0);
            }
            painter->drawImage(option->rect.topLeft(), image);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_FrameMenu && m_menu.FlatMenu()) {
            QImage image = DeviceImage(option->rect.size(), painter->device()->devicePixelRatioF());
            image.fill(ToQColor(ColorToRGB(m_menu.Color())));
            {
                TCanvas canvas(image);
                Menu_DrawWindowBorder(canvas, option->rect.width(), option->rect.height(),
                                      m_menu.BorderColor(), GetThemeColor(m_menu.UIStyle(), teFormColor));
            }
            painter->drawImage(option->rect.topLeft(), image);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        case PM_MenuPanelWidth:
            return 2;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

private:
    static const QAction* ItemOf(const QStyleOption* option, const QWidget* widget)
    {
        const auto* menu = qobject_cast<const QMenu*>(widget);
        if (menu == nullptr || qstyleoption_cast<const QStyleOptionMenuItem*>(option) == nullptr)
            return nullptr;
        return menu->actionAt(option->rect.center());
    }

    const TsuiMainMenu& m_menu;
};

TBitmap CutToHeight(const QString& name, int height)
{
    TBitmap bitmap = LoadSkinBitmap(name);
    if (!bitmap.Empty())
        bitmap.SetSize(bitmap.Width(), height);
    return bitmap;
}

} // namespace

void Menu_SetItemEvent(QAction* item, QStyle* style)
{
    if (item == nullptr || item->menu() == nullptr)
        return;
    item->menu()->setStyle(style);
    for (QAction* sub : item->menu()->actions())
        Menu_SetItemEvent(sub, style);
}

void Menu_DrawBorder(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Brush = {ColorToRGB(color), bsSolid};
    canvas.FrameRect(rect);
}

void Menu_DrawBackGround(TCanvas& canvas, const TRect& rect, TColor color)
{
    canvas.Brush = {ColorToRGB(color), bsSolid};
    canvas.FillRect(rect);
}

void Menu_DrawLineItem(TCanvas& canvas, const TRect& rect, TColor color, int barWidth)
{
    canvas.Pen = {ColorToRGB(color), 1, psSolid};
    canvas.MoveTo(rect.Left + barWidth + 4, rect.Top + 2);
    canvas.LineTo(rect.Right - 2, rect.Top + 2);
}

void Menu_DrawMacOSLineItem(TCanvas& canvas, const TRect& rect)
{
    canvas.StretchDraw(rect, CutToHeight(QStringLiteral("MACOS_MENU_BAR"), 12));
}

void Menu_DrawMacOSSelectedItem(TCanvas& canvas, const TRect& rect)
{
    canvas.StretchDraw(rect, CutToHeight(QStringLiteral("MACOS_MENU_SELECT"), 20));
}

void Menu_DrawMacOSNonSelectedItem(TCanvas& canvas, const TRect& rect)
{
    canvas.StretchDraw(rect, CutToHeight(QStringLiteral("MACOS_MENU_BAR"), 20));
}

void Menu_DrawWindowBorder(TCanvas& canvas, int width, int height, TColor borderColor, TColor faceColor)
{
    const int l = 0;
    const int t = 0;
    const int r = width;
    const int b = height;
    canvas.Brush = {ColorToRGB(borderColor), bsSolid};
    canvas.FrameRect(Rect(l, t + 1, r - 1, b - 1));
    canvas.Brush = {clWhite, bsSolid};
    canvas.FrameRect(Rect(l + 1, t + 2, r - 2, b - 2));
    canvas.Pen = {ColorToRGB(faceColor), 1, psSolid};
    canvas.MoveTo(l, b - 1);
    canvas.LineTo(r - 1, b - 1);
    canvas.LineTo(r - 1, t);
    canvas.LineTo(r, t);
    canvas.LineTo(l, t);
}

bool Menu_GetSystemFont(TFont& font)
{
    if (QCoreApplication::instance() == nullptr)
        return false;
    const QFont system = QApplication::font("QMenu");
    font.Name = system.family();
    font.Size = system.pointSize() > 0 ? system.pointSize() : (system.pixelSize() * 72 + 48) / 96;
    font.Bold = system.bold();
    font.Italic = system.italic();
    font.Color = clMenuText;
    return true;
}

// --- the menu ----------------------------------------------------------------

TsuiMainMenu::TsuiMainMenu(QWidget* owner)
    : QObject(owner), m_items(std::make_unique<QMenu>()), m_checkMark(std::make_unique<TImageList>(16, 16))
{
    m_style = new TsuiMenuStyle(*this);
    m_style->setParent(this);
    TBitmap check = LoadSkinBitmap(GetThemeString(MacOS, teMenuChecked));
    check.SetTransparent(true);
    m_checkMark->AddMasked(check, clWhite);
    m_items->installEventFilter(this);
    SetUIStyle(GetSUIFormStyle(owner));
    if (owner != nullptr)
        if (auto* frame = dynamic_cast<TsuiMenuHost*>(FindSUIForm(owner)))
            frame->SetMenu(this);
}

TsuiMainMenu::~TsuiMainMenu()
{
    if (TsuiMenuHost* form = Form())
        form->SetMenu(nullptr);
    m_items->removeEventFilter(this);
}

void TsuiMainMenu::SetForm(TsuiMenuHost* form)
{
    m_form = form;
    m_formObject = dynamic_cast<QObject*>(form);
}

QAction* TsuiMainMenu::AddTopItem(const QString& caption)
{
    QMenu* dropDown = m_items->addMenu(caption);
    return dropDown->menuAction();
}

QAction* TsuiMainMenu::AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortCut)
{
    if (caption == QLatin1String("-"))
        return menu->addSeparator();
    QAction* item = menu->addAction(caption);
    item->setShortcut(shortCut);
    return item;
}

void TsuiMainMenu::SetImageIndex(QAction* item, int index)
{
    item->setProperty("ImageIndex", index);
}

int TsuiMainMenu::ImageIndex(const QAction* item)
{
    const QVariant index = item->property("ImageIndex");
    return index.isValid() ? index.toInt() : -1;
}

void TsuiMainMenu::SetImages(TImageList* images)
{
    m_userImages = images;
}

void TsuiMainMenu::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    if (style == Custom)
        return;
    // Stored directly: the MacOS heights get in although the setters refuse them.
    m_menuItemHeight = GetThemeInt(style, teMenuItemHeight);
    m_separatorHeight = GetThemeInt(style, teMenuSeparatorHeight);
    m_barColor = GetThemeColor(style, teMenuSideBarColor);
    m_barWidth = GetThemeInt(style, teMenuSideBarWidth);
    m_color = GetThemeColor(style, teMenuColor);
    m_separatorColor = GetThemeColor(style, teMenuSeparatorColor);
    m_selectedBorderColor = GetThemeColor(style, teMenuSelectedBorderColor);
    m_selectedColor = GetThemeColor(style, teMenuSelectedColor);
    m_selectedFontColor = GetThemeColor(style, teMenuSelectedFontColor);
    m_fontColor = GetThemeColor(style, teMenuFontColor);
    m_borderColor = GetThemeColor(style, teFormBorderColor);
    if (TsuiMenuHost* form = Form())
        form->RepaintMenuBar();
}

void TsuiMainMenu::SetMenuItemHeight(int value)
{
    if (!SuiLook(m_uiStyle).PictureMenus)
        m_menuItemHeight = value;
}

void TsuiMainMenu::SetSeparatorHeight(int value)
{
    if (!SuiLook(m_uiStyle).PictureMenus)
        m_separatorHeight = value;
}

void TsuiMainMenu::SetUseSystemFont(bool value)
{
    m_useSystemFont = value;
    if (TsuiMenuHost* form = Form())
        form->RepaintMenuBar();
}

TFont TsuiMainMenu::ItemFont() const
{
    TFont font;
    if (m_useSystemFont && Menu_GetSystemFont(font))
        return font;
    font.Name = m_fontName;
    font.Size = m_fontSize;
    return font;
}

void TsuiMainMenu::MenuAdded()
{
    for (QAction* item : m_items->actions())
        Menu_SetItemEvent(item, m_style);
    if (TsuiMenuHost* form = Form())
        form->UpdateMenu();
}

void TsuiMainMenu::MenuChanged()
{
    if (TsuiMenuHost* form = Form())
        form->UpdateTopMenu();
}

bool TsuiMainMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_items.get()) {
        const QEvent::Type type = event->type();
        if (type == QEvent::ActionChanged || type == QEvent::ActionAdded || type == QEvent::ActionRemoved)
            MenuChanged();
    }
    return QObject::eventFilter(watched, event);
}

namespace {

bool RunShortCut(const QList<QAction*>& items, const QKeySequence& key)
{
    for (QAction* item : items) {
        if (!item->isEnabled())
            continue;
        if (!item->shortcut().isEmpty() && item->shortcut().matches(key) == QKeySequence::ExactMatch) {
            item->trigger();
            return true;
        }
        if (item->menu() != nullptr && RunShortCut(item->menu()->actions(), key))
            return true;
    }
    return false;
}

} // namespace

bool TsuiMainMenu::IsShortCut(QKeyCombination key)
{
    return RunShortCut(m_items->actions(), QKeySequence(key));
}

TsuiMenuItemInfo TsuiMainMenu::InfoOf(const QAction* item)
{
    TsuiMenuItemInfo info;
    info.Caption = item->isSeparator() ? QStringLiteral("-") : item->text();
    info.ShortCut = item->shortcut().toString(QKeySequence::NativeText);
    info.Enabled = item->isEnabled();
    info.Checked = item->isCheckable() && item->isChecked();
    const auto* menu = qobject_cast<const QMenu*>(item->parent());
    info.Default = menu != nullptr && menu->defaultAction() == item;
    info.ImageIndex = ImageIndex(item);
    return info;
}

QSize TsuiMainMenu::MeasureItem(const TsuiMenuItemInfo& item, const TFont& font) const
{
    // A separator is measured like any item: its "-" counts too.
    const int width = MeasureTextWidth(font, item.Caption) +
                      (item.ShortCut.isEmpty() ? 0 : MeasureTextWidth(font, item.ShortCut)) + m_barWidth + 40;
    const bool separator = item.Caption == QLatin1String("-");
    return QSize(width, separator ? m_separatorHeight : m_menuItemHeight);
}

void TsuiMainMenu::DrawItem(const TsuiMenuItemInfo& item, TCanvas& canvas, const TRect& rect,
                            bool selected) const
{
    const int l = rect.Left;
    const int t = rect.Top;
    const int r = rect.Right;
    const int b = rect.Bottom;
    auto plainBackground = [&] {
        if (m_barWidth > 0)
            Menu_DrawBackGround(canvas, Rect(l, t, l + m_barWidth, b), m_barColor);
        Menu_DrawBackGround(canvas, Rect(l + m_barWidth, t, r, b), m_color);
    };

    if (item.Caption == QLatin1String("-")) {
        if (SuiLook(m_uiStyle).PictureMenus) {
            Menu_DrawMacOSLineItem(canvas, rect);
        } else {
            plainBackground();
            Menu_DrawLineItem(canvas, rect, m_separatorColor, m_barWidth);
        }
        return;
    }

    if (selected && item.Enabled) {
        if (SuiLook(m_uiStyle).PictureMenus) {
            Menu_DrawMacOSSelectedItem(canvas, rect);
        } else {
            Menu_DrawBackGround(canvas, rect, m_selectedColor);
            Menu_DrawBorder(canvas, rect, m_selectedBorderColor);
        }
    } else if (SuiLook(m_uiStyle).PictureMenus) {
        Menu_DrawMacOSNonSelectedItem(canvas, rect);
    } else {
        plainBackground();
    }

    canvas.Font = ItemFont();
    canvas.Brush.Style = bsClear;
    if (!item.Enabled)
        canvas.Font.Color = clGray;
    else
        canvas.Font.Color = selected ? m_selectedFontColor : m_fontColor;
    canvas.Font.Bold = canvas.Font.Bold || item.Default;
    canvas.DrawText(item.Caption, Rect(l + m_barWidth + 4, t + 4, r, b), DT_SINGLELINE);
    if (!item.ShortCut.isEmpty())
        canvas.TextOut(r - canvas.TextWidth(item.ShortCut) - 16, t + 4, item.ShortCut);

    const bool ownImage =
        item.ImageIndex != -1 && m_userImages != nullptr && item.ImageIndex < m_userImages->Count();
    if (item.Checked) {
        if (ownImage) {
            canvas.Brush = {clBlack, bsSolid};
            canvas.FrameRect(Rect(l + 2, t + 1, l + 21, t + 20));
            Menu_DrawBackGround(canvas, Rect(l + 3, t + 2, l + 20, t + 19), m_selectedColor);
        } else {
            CurrentImages().Draw(canvas, l + 4, t + 3, 0, item.Enabled);
        }
    }
    if (ownImage)
        m_userImages->Draw(canvas, l + 4, t + 3, item.ImageIndex, item.Enabled);
}
