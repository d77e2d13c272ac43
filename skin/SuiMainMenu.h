#pragma once

#include "framework/TCanvas.h"
#include "framework/TColor.h"
#include "framework/TFont.h"
#include "framework/TImageList.h"
#include "skin/Suithemes.h"

#include <QKeyCombination>
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QAction;
class QMenu;
class QStyle;
class TsuiMainMenu;

// What drawing and measuring need of one menu item.
struct TsuiMenuItemInfo
{
    TsuiMenuItemInfo() = default;
    TsuiMenuItemInfo(QString caption, QString shortCut = {})
        : Caption(std::move(caption)), ShortCut(std::move(shortCut))
    {
    }

    QString Caption;  // "-" is a separator
    QString ShortCut; // as text, empty for none
    bool Enabled = true;
    bool Checked = false;
    bool Default = false;
    int ImageIndex = -1; // into the menu's user image list
};

// What a menu needs of the frame whose bar shows its top-level items. TsuiForm
// is one; the menu finds it among its owner's children.
class TsuiMenuHost
{
public:
    // Null detaches the menu.
    virtual void SetMenu(TsuiMainMenu* menu) = 0;
    // Rebuilds the bar's buttons from the menu's top-level items.
    virtual void UpdateMenu() = 0;
    // Copies the items' captions and enabled states to their buttons.
    virtual void UpdateTopMenu() = 0;
    // Takes the menu's font and repaints the bar.
    virtual void RepaintMenuBar() = 0;

protected:
    ~TsuiMenuHost() = default;
};

// The items of every drop-down of a menu are drawn by its TsuiMainMenu.
// Sets the drawing on the item's drop-down and on those of all its sub-items.
void Menu_SetItemEvent(QAction* item, QStyle* style);
// A one-pixel frame in the colour.
void Menu_DrawBorder(TCanvas& canvas, const TRect& rect, TColor color);
void Menu_DrawBackGround(TCanvas& canvas, const TRect& rect, TColor color);
// The separator line, from L + barWidth + 4 to R - 2 at T + 2.
void Menu_DrawLineItem(TCanvas& canvas, const TRect& rect, TColor color, int barWidth);
void Menu_DrawMacOSLineItem(TCanvas& canvas, const TRect& rect);
void Menu_DrawMacOSSelectedItem(TCanvas& canvas, const TRect& rect);
void Menu_DrawMacOSNonSelectedItem(TCanvas& canvas, const TRect& rect);
// The flat border around a drop-down of the given size, on its own canvas.
void Menu_DrawWindowBorder(TCanvas& canvas, int width, int height, TColor borderColor, TColor faceColor);
// The system's menu font in the menu-text colour; false leaves the font as it was.
bool Menu_GetSystemFont(TFont& font);

// The skin's main menu: its items (the actions of Items(), each top-level
// item's drop-down its menu()) are drawn in the colours and heights of the
// look, and its top-level items show on the skinned menu bar of the form's
// TsuiForm, which it attaches itself to. Shortcuts reach the items through
// that form.
class TsuiMainMenu : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Items,AutoHotkeys,AutoLineReduction,AutoMerge,BiDiMode,OnChange,Images,"
                             "OwnerDraw,UIStyle,MenuItemHeight,SeparatorHeight,BarWidth,BarColor,Color,"
                             "SeparatorColor,SelectedBorderColor,SelectedColor,SelectedFontColor,"
                             "FontColor,BorderColor,FlatMenu,FontName,FontSize,FontCharset,UseSystemFont")

public:
    // With a form as owner, the menu attaches itself to the form's TsuiForm.
    explicit TsuiMainMenu(QWidget* owner = nullptr);
    ~TsuiMainMenu() override;

    // The item tree: its actions are the top-level items.
    QMenu* Items() const { return m_items.get(); }
    // Adds a top-level item with an (empty) drop-down.
    QAction* AddTopItem(const QString& caption);
    // Adds an item to a drop-down; "-" adds a separator.
    static QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortCut = {});
    // The item's image in the user image list; -1 for none.
    static void SetImageIndex(QAction* item, int index);
    static int ImageIndex(const QAction* item);

    // None while the menu draws its check mark from its own list; setting
    // none puts that list back.
    TImageList* Images() const { return m_userImages; }
    void SetImages(TImageList* images);
    // The list the check mark is drawn from.
    const TImageList& CurrentImages() const { return m_userImages ? *m_userImages : *m_checkMark; }
    bool OwnerDraw() const { return true; }
    void SetOwnerDraw(bool) {}

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    // Both heights stay as the style set them while it is MacOS.
    int MenuItemHeight() const { return m_menuItemHeight; }
    void SetMenuItemHeight(int value);
    int SeparatorHeight() const { return m_separatorHeight; }
    void SetSeparatorHeight(int value);
    int BarWidth() const { return m_barWidth; }
    void SetBarWidth(int value) { m_barWidth = value; }
    TColor BarColor() const { return m_barColor; }
    void SetBarColor(TColor value) { m_barColor = value; }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }
    TColor SeparatorColor() const { return m_separatorColor; }
    void SetSeparatorColor(TColor value) { m_separatorColor = value; }
    TColor SelectedBorderColor() const { return m_selectedBorderColor; }
    void SetSelectedBorderColor(TColor value) { m_selectedBorderColor = value; }
    TColor SelectedColor() const { return m_selectedColor; }
    void SetSelectedColor(TColor value) { m_selectedColor = value; }
    TColor SelectedFontColor() const { return m_selectedFontColor; }
    void SetSelectedFontColor(TColor value) { m_selectedFontColor = value; }
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor value) { m_fontColor = value; }
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor value) { m_borderColor = value; }
    bool FlatMenu() const { return m_flatMenu; }
    void SetFlatMenu(bool value) { m_flatMenu = value; }
    QString FontName() const { return m_fontName; }
    void SetFontName(const QString& value) { m_fontName = value; }
    int FontSize() const { return m_fontSize; }
    void SetFontSize(int value) { m_fontSize = value; }
    int FontCharset() const { return m_fontCharset; }
    void SetFontCharset(int value) { m_fontCharset = value; }
    bool UseSystemFont() const { return m_useSystemFont; }
    void SetUseSystemFont(bool value);

    // The font the items are written in (colour not yet chosen).
    TFont ItemFont() const;

    // The frame this menu is attached to; set and cleared by the frame.
    TsuiMenuHost* Form() const { return m_formObject ? m_form : nullptr; }
    void SetForm(TsuiMenuHost* form);

    // Puts the drawing on every item and has the form rebuild its bar; run
    // it again after adding items.
    void MenuAdded();
    // Runs the enabled item whose shortcut the key is; false when none is.
    bool IsShortCut(QKeyCombination key);

    QSize MeasureItem(const TsuiMenuItemInfo& item, const TFont& font) const;
    void DrawItem(const TsuiMenuItemInfo& item, TCanvas& canvas, const TRect& rect, bool selected) const;

    // The info of an item as the drawing needs it.
    static TsuiMenuItemInfo InfoOf(const QAction* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MenuChanged();

    std::unique_ptr<QMenu> m_items;
    std::unique_ptr<TImageList> m_checkMark;
    TImageList* m_userImages = nullptr;
    QStyle* m_style = nullptr;
    TsuiMenuHost* m_form = nullptr;
    QPointer<QObject> m_formObject; // the frame as an object, so a deleted one reads as none

    TsuiUIStyle m_uiStyle = Custom;
    int m_menuItemHeight = 21;
    int m_separatorHeight = 21;
    int m_barWidth = 0;
    TColor m_barColor = clBtnFace;
    TColor m_color = clWhite;
    TColor m_separatorColor = clGray;
    TColor m_selectedBorderColor = clHighlight;
    TColor m_selectedColor = clHighlight;
    TColor m_selectedFontColor = clWhite;
    TColor m_fontColor = clWhite;
    TColor m_borderColor = clBlack;
    bool m_flatMenu = false;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    int m_fontSize = 8;
    int m_fontCharset = 1;
    bool m_useSystemFont = true;
};
