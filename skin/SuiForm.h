#pragma once

#include "framework/TControl.h"
#include "skin/SuiMainMenu.h"
#include "skin/SuiStyleRules.h"
#include "skin/SuiTitleBar.h"
#include "skin/Suipublic.h"
#include "skin/Suithemes.h"

#include <QKeyCombination>
#include <QPointer>
#include <vector>

class QAction;
class TsuiForm;

// One top-level item of the menu on the skinned menu bar: drawn in the menu's
// look when hot or open, and a press opens the item's drop-down below it.
class TsuiMenuBarButton : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    TsuiMenuBarButton(TsuiForm* form, QAction* item, QWidget* bar);

    QAction* Item() const { return m_item; }
    // The drop-down is open.
    bool Selected() const { return m_selected; }
    // Caption and enabled state from the item; width from the caption.
    void UpdateFromItem();

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TsuiForm* m_form;
    QPointer<QAction> m_item;
    bool m_selected = false;
};

// The flat bar below the title bar that stands in for the window's menu bar.
class TsuiMenuBar : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    TsuiMenuBar(TsuiForm* form, QWidget* parent);
    const std::vector<TsuiMenuBarButton*>& Buttons() const { return m_buttons; }
    void SetButtons(std::vector<TsuiMenuBarButton*> buttons);
    // Places the buttons side by side from the left, each of the bar's height.
    void LayoutButtons();

protected:
    void Paint(TCanvas& canvas) override;

private:
    TsuiForm* m_form;
    std::vector<TsuiMenuBarButton*> m_buttons;
};

// The skinned frame of a window. Created with the window as parent, it makes
// the window frameless, covers it but for a frame of BorderWidth pixels in
// BorderColor (no top band while the title bar shows), owns the title bar at
// its top and carries the window's controls, placed relative to its own
// top-left. One per window: a second one throws.
class TsuiForm : public TControl, public TsuiStyledForm, public TsuiMenuHost
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,UIStyleAutoUpdateSub,BorderColor,BorderWidth,TitleBarVisible,"
                             "BiDiMode,Color,Caption,FormPanel,TitleBarButtons,TitleBarSections,"
                             "TitleBarDrawAppIcon,Font,Menu,MenuBarColor,MenuBarHeight,PopupMenu,"
                             "OnTitleBarCustomBtnsClick,OnTitleBarHelpBtnClick,OnMouseDown,OnClick,"
                             "OnMouseUp")

public:
    explicit TsuiForm(QWidget* form);
    ~TsuiForm() override;

    QWidget* Form() const { return m_form; }
    TsuiTitleBar* TitleBar() const { return m_titleBar; }

    // Frame colour and width, face colour and the title bar's look; with
    // UIStyleAutoUpdateSub the children follow too.
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    bool UIStyleAutoUpdateSub() const { return m_autoUpdateSub; }
    void SetUIStyleAutoUpdateSub(bool value) { m_autoUpdateSub = value; }

    // The title bar's caption and font. The controls on the frame show the
    // window's font (TForm::SetFont), not this one.
    TCaption Caption() const;
    void SetCaption(const TCaption& caption);
    TFont Font() const;
    void SetFont(const TFont& font);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    bool TitleBarVisible() const { return m_titleBarVisible; }
    void SetTitleBarVisible(bool value);

    // The bar that stands in for a menu, once a menu is attached.
    TColor MenuBarColor() const { return m_menuBarColor; }
    void SetMenuBarColor(TColor color);
    int MenuBarHeight() const { return m_menuBarHeight; }
    void SetMenuBarHeight(int height);
    TsuiMenuBar* MenuBar() const { return m_menuBar; }

    // The menu on the bar; a TsuiMainMenu knows its form while attached.
    TsuiMainMenu* Menu() const;
    void SetMenu(TsuiMainMenu* menu) override;
    void CreateMenuBar();
    void DestroyMenuBar();
    // Rebuilds the bar's buttons from the menu's top-level items.
    void UpdateMenu() override;
    // Copies the items' captions and enabled states to their buttons.
    void UpdateTopMenu() override;
    // Takes the menu's font and repaints the bar.
    void RepaintMenuBar() override;
    // Runs the menu item whose shortcut the key is; false when none is.
    bool ProcessKeyPress(QKeyCombination key);
    // The look the menu bar draws in: the menu's, else the frame's.
    TsuiUIStyle MenuStyle() const;

    // Writing resizes the window: Width v makes it v + 2 x BorderWidth wide,
    // Height v makes it v + BorderWidth + BorderWidth div 2 high.
    void SetWidth(int value);
    void SetHeight(int value);

    // A panel that fills the client area below the title and menu bars. The
    // frame itself is refused with an error box.
    QWidget* FormPanel() const { return m_formPanel; }
    void SetFormPanel(QWidget* panel);

    TsuiTitleBarButtonClickEvent OnTitleBarCustomBtnsClick() const { return m_titleBar->OnCustomBtnsClick; }
    void SetOnTitleBarCustomBtnsClick(TsuiTitleBarButtonClickEvent event)
    {
        m_titleBar->OnCustomBtnsClick = std::move(event);
    }
    TsuiTitleBarButtonClickEvent OnTitleBarHelpBtnClick() const { return m_titleBar->OnHelpBtnClick; }
    void SetOnTitleBarHelpBtnClick(TsuiTitleBarButtonClickEvent event)
    {
        m_titleBar->OnHelpBtnClick = std::move(event);
    }

    // Size messages seen while a window that started maximised stays
    // maximised; shared by every frame.
    static int StartedMaximizedCount();

    TsuiTitleBarButtons& TitleBarButtons() { return m_titleBar->Buttons(); }
    TsuiTitleBarSections& TitleBarSections() { return m_titleBar->Sections(); }
    bool TitleBarDrawAppIcon() const { return m_titleBar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool value) { m_titleBar->SetDrawAppIcon(value); }

    // A sizeable window resizes from zones 5 pixels deep along its edges
    // (corners 5 x 5 move two edges); a fixed one, the default, does not.
    bool Sizeable() const { return m_sizeable; }
    void SetSizeable(bool value);
    // The edges a press at this point of the window would move; none while
    // the window is fixed or maximised.
    Qt::Edges ResizeEdges(const QPoint& pos) const;

    // Lays the panel over the window's client area inside the frame.
    void AlignSelf();
    // The form sits in an MDI child window.
    bool GetMDIChild() const;

    TsuiUIStyle FormUIStyle() const override { return m_uiStyle; }
    TColor FormColor() const override { return Color(); }

protected:
    void Paint(TCanvas& canvas) override;
    // The caption goes to the title bar and the window.
    void CaptionChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The frame bands, drawn on the window around the panel.
    virtual void PaintFormBorder();
    // Starts resizing the window; true when the platform took over.
    virtual bool StartWindowResize(Qt::Edges edges, const QPoint& globalPos);

private:
    bool SizingEvent(QObject* watched, QEvent* event);
    void ShowSizingCursor(Qt::Edges edges);
    void FormResized();
    void ResizeForm(int width, int height);
    void AlignFormPanel();
    bool KeyHookEvent(QObject* watched, QEvent* event);
    void UpdateAppFilter();

    QWidget* m_form;
    TTiledBackground m_background;
    QPointer<TsuiMainMenu> m_menu;
    TsuiMenuBar* m_menuBar = nullptr;
    QPointer<QWidget> m_formPanel;
    bool m_loading = true;
    bool m_installedHook = false;
    QObject* m_appFilter = nullptr;
    bool m_startedMaximized = false;
    QRect m_startBounds;
    TsuiTitleBar* m_titleBar = nullptr;
    TsuiUIStyle m_uiStyle = Custom;
    bool m_autoUpdateSub = false;
    TColor m_borderColor = clBlack;
    int m_borderWidth = 1;
    bool m_titleBarVisible = true;
    TColor m_menuBarColor = clBtnFace;
    int m_menuBarHeight = 22;

    bool m_sizeable = false;
    bool m_cursorShown = false;
    Qt::Edges m_resizing;
    QPoint m_resizeStart;
    QRect m_geometryStart;
};
