#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <QMenu>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TsuiTitleBar;

enum TsuiTitleBarAlign
{
    suiLeft = 0,
    suiRight = 1,
    suiClient = 2
};

enum TsuiTitleBarBtnType
{
    suiMax = 0,
    suiMin = 1,
    suiClose = 2,
    suiHelp = 3,
    suiControlBox = 4,
    suiCustom = 5
};

using TsuiTitleBarButtonClickEvent = std::function<void(QObject* sender, int buttonIndex)>;

template <class Item> class TsuiTitleBarCollection;
class TsuiTitleBarSection;
class TsuiTitleBarButton;
using TsuiTitleBarSectionCollection = TsuiTitleBarCollection<TsuiTitleBarSection>;
using TsuiTitleBarButtonCollection = TsuiTitleBarCollection<TsuiTitleBarButton>;

// One picture strip of the bar. Left sections stack from the left, right
// sections from the right, and the one client section is stretched over the
// room between them.
class TsuiTitleBarSection
{
public:
    explicit TsuiTitleBarSection(TsuiTitleBarSectionCollection& collection);

    // Width follows the picture's width.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TsuiTitleBarAlign Align() const { return m_align; }
    // Only one section may be the client section; a second one is refused
    // with an error box and keeps its alignment.
    void SetAlign(TsuiTitleBarAlign align);
    const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);
    // Skin bitmaps by name or window pictures by path (":/pictures/...").
    bool LoadPictureFromResourceName(const QString& name);
    bool LoadPictureFromFile(const QString& path);
    // A client section is always stretched.
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);

    void Assign(const TsuiTitleBarSection& other);

private:
    void PictureChanged();

    TsuiTitleBarSectionCollection& m_collection;
    bool m_autoSize = false;
    int m_width = 10;
    TsuiTitleBarAlign m_align = suiLeft;
    TPicture m_picture;
    bool m_stretch = false;
};

// A caption button with three pictures of its own or of the style.
class TsuiTitleBarButton
{
public:
    explicit TsuiTitleBarButton(TsuiTitleBarButtonCollection& collection);

    TsuiTitleBarBtnType ButtonType() const { return m_type; }
    // Only one control-box button per bar; a second one is refused with an
    // error box and keeps its type.
    void SetButtonType(TsuiTitleBarBtnType type);
    // Leaves out the picture's bottom-left colour.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    int Top() const { return m_top; }
    void SetTop(int top);
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    QMenu* ControlBoxMenu() const { return m_controlBoxMenu; }
    void SetControlBoxMenu(QMenu* menu) { m_controlBoxMenu = menu; }

    const TPicture& PicNormal() const { return m_picNormal; }
    const TPicture& PicMouseOn() const { return m_picMouseOn; }
    const TPicture& PicMouseDown() const { return m_picMouseDown; }
    void SetPicNormal(const TPicture& picture);
    void SetPicMouseOn(const TPicture& picture);
    void SetPicMouseDown(const TPicture& picture);
    // The three pictures from files or resource paths; false when one fails.
    bool LoadPictures(const QString& normal, const QString& mouseOn, const QString& mouseDown);

    // Theme pictures, transparency and top of the style for this kind.
    virtual void UpdateUIStyle(TsuiUIStyle style);
    // Restore pictures while the window is maximised, maximise pictures otherwise.
    void ProcessMaxBtn();
    // What the button does to its window.
    virtual void DoClick();

    void Assign(const TsuiTitleBarButton& other);
    virtual ~TsuiTitleBarButton() = default;

private:
    void LoadThemePictures(TsuiUIStyle style, const TsuiStateElements& pictures);

    TsuiTitleBarButtonCollection& m_collection;
    TsuiTitleBarBtnType m_type = suiCustom;
    bool m_transparent = false;
    int m_top = 2;
    TsuiUIStyle m_uiStyle = DeepBlue;
    QPointer<QMenu> m_controlBoxMenu;
    TPicture m_picNormal;
    TPicture m_picMouseOn;
    TPicture m_picMouseDown;
};

// The bar's sections or buttons, in order; every change repaints the bar.
template <class Item> class TsuiTitleBarCollection
{
public:
    explicit TsuiTitleBarCollection(TsuiTitleBar& owner) : m_owner(owner) {}
    virtual ~TsuiTitleBarCollection() = default;

    TsuiTitleBar& Owner() const { return m_owner; }
    int Count() const { return int(m_items.size()); }
    Item& Items(int index) const { return *m_items.at(std::size_t(index)); }
    int IndexOf(const Item& item) const
    {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].get() == &item)
                return int(i);
        return -1;
    }
    Item& Add()
    {
        m_items.push_back(std::make_unique<Item>(*this));
        Item& item = *m_items.back();
        Changed();
        return item;
    }
    // Out of range does nothing.
    void Delete(int index)
    {
        if (index < 0 || index >= Count())
            return;
        m_items.erase(m_items.begin() + index);
        Changed();
    }
    void Clear()
    {
        m_items.clear();
        Changed();
    }
    void Changed();

private:
    TsuiTitleBar& m_owner;
    std::vector<std::unique_ptr<Item>> m_items;
};

class TsuiTitleBarSections : public TsuiTitleBarSectionCollection
{
public:
    using TsuiTitleBarSectionCollection::TsuiTitleBarCollection;
};

// A new button starts in DeepBlue, whatever the bar's style.
class TsuiTitleBarButtons : public TsuiTitleBarButtonCollection
{
public:
    using TsuiTitleBarButtonCollection::TsuiTitleBarCollection;
};

// The skinned caption bar: bitmap sections, caption buttons placed right to
// left (the control box at the left), the caption, and dragging the window.
// It keeps itself as wide as its parent, at the parent's top.
class TsuiTitleBar : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "AutoSize,BiDiMode,Sections,UIStyle,Buttons,ButtonInterval,Caption,Font,"
                             "FormActive,LeftBtnXOffset,RightBtnXOffset,DrawAppIcon,OnCustomBtnsClick,"
                             "OnHelpBtnClick")

public:
    explicit TsuiTitleBar(QWidget* parent = nullptr);

    TsuiTitleBarSections& Sections() { return m_sections; }
    TsuiTitleBarButtons& Buttons() { return m_buttons; }
    const TsuiTitleBarSections& Sections() const { return m_sections; }
    const TsuiTitleBarButtons& Buttons() const { return m_buttons; }

    // Loads the style's three sections and restyles every button.
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    // Height follows the first section's picture.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    int ButtonInterval() const { return m_buttonInterval; }
    void SetButtonInterval(int value);
    // An inactive window shows its caption in the inactive caption colour.
    bool FormActive() const { return m_formActive; }
    void SetFormActive(bool value);
    int LeftBtnXOffset() const { return m_leftBtnXOffset; }
    void SetLeftBtnXOffset(int value);
    int RightBtnXOffset() const { return m_rightBtnXOffset; }
    void SetRightBtnXOffset(int value);
    // The application icon instead of the control-box picture.
    bool DrawAppIcon() const { return m_drawAppIcon; }
    void SetDrawAppIcon(bool value);

    TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnHelpBtnClick;

    // Where each button sits, in collection order (control box included).
    struct ButtonPlace
    {
        int Index;
        TRect Rect;
    };
    std::vector<ButtonPlace> ButtonPlaces() const;
    // The button under a point of the bar, -1 for none.
    int ButtonAt(int x, int y) const;
    // Left edge of the caption and the left edge of the right-hand buttons.
    int CaptionLeft() const;
    int CaptionRight() const;
    // The caption as drawn: cut to its first two bytes and "..." when it
    // does not fit.
    QString VisibleCaption(TCanvas& canvas) const;

    // True when the bar sits on a skinned frame.
    bool InForm() const;
    // The window the bar acts on: its frame's form (the MDI child window for
    // a form inside one), else the bar's own window.
    QWidget* Form() const;

    // Rounds the window's top corners; 0 leaves it rectangular.
    void SetFormRoundCorner(int radius);
    void OnFormReSize();

protected:
    void Paint(TCanvas& canvas) override;
    virtual void DrawSectionsTo(TCanvas& canvas);
    virtual void DrawButtons(TCanvas& canvas);
    virtual void DrawCaption(TCanvas& canvas);

    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseLeave() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Starts moving the window with the mouse; true when the platform took over.
    virtual bool StartWindowDrag(int x, int y);

private:
    template <class> friend class TsuiTitleBarCollection;

    void ItemsChanged();
    void FollowParent();
    bool WindowMaximized() const;
    const TPicture& StatePicture(int index, const TsuiTitleBarButton& button) const;

    TsuiTitleBarSections m_sections;
    TsuiTitleBarButtons m_buttons;
    TsuiUIStyle m_uiStyle = Custom;
    bool m_autoSize = false;
    int m_buttonInterval = 0;
    bool m_formActive = true;
    int m_leftBtnXOffset = 0;
    int m_rightBtnXOffset = 0;
    bool m_drawAppIcon = false;
    int m_cornerRadius = 0;

    bool m_mouseDown = false;
    TPoint m_hover = {-1, -1};
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_windowStart;
    QPointer<QWidget> m_watchedWindow;
};

template <class Item> void TsuiTitleBarCollection<Item>::Changed()
{
    m_owner.ItemsChanged();
}
