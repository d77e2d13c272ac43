#pragma once

#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QComboBox;
class QKeyEvent;
class TsuiComboBoxWindow;

enum TComboBoxStyle
{
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable
};

// What an owner-drawn item is drawn as.
enum TOwnerDrawStateFlag : unsigned
{
    odSelected = 0x1,
    odDisabled = 0x4,
    odFocused = 0x10,
    odComboBoxEdit = 0x1000
};
using TOwnerDrawState = unsigned;

using TKeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;
using TKeyPressEvent = std::function<void(QObject* sender, QChar& key)>;

// A combo box with the skin's two-pixel frame and its own drop-down button:
// a native combo box (its model, keyboard and accessibility intact) whose
// picture gets the button, the arrow and the frame painted over it. Each item
// carries a number of its own (its "object").
class TsuiCustomComboBox : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,BorderColor,ArrowColor,ButtonColor")
    friend class TsuiComboBoxWindow;
    friend class TsuiComboItemDelegate;

public:
    explicit TsuiCustomComboBox(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // No early stop for Custom: the lookups then give black for all three.
    void SetUIStyle(TsuiUIStyle style);
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor ArrowColor() const { return m_arrowColor; }
    void SetArrowColor(TColor color);
    TColor ButtonColor() const { return m_buttonColor; }
    void SetButtonColor(TColor color);

    TComboBoxStyle ComboStyle() const { return m_comboStyle; }
    void SetComboStyle(TComboBoxStyle style);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    int DropDownCount() const;
    void SetDropDownCount(int count);

    // Items with their objects.
    int ItemCount() const;
    QString ItemText(int index) const;
    std::uintptr_t ItemObject(int index) const;
    void SetItemObject(int index, std::uintptr_t object);
    QStringList Items() const;
    void SetItems(const QStringList& items);
    void AddItem(const QString& text, std::uintptr_t object = 0);
    void InsertItem(int index, const QString& text, std::uintptr_t object = 0);
    void DeleteItem(int index);
    void ClearItems();
    // Index of the item with exactly this text, or -1.
    int IndexOf(const QString& text) const;

    // -1 when nothing is selected; out-of-range indices select nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    QString Text() const;
    // Editable styles show the text as it is; the list styles select the
    // item of that text (letter case ignored) or nothing.
    void SetText(const QString& text);

    bool DroppedDown() const;
    void SetDroppedDown(bool value);

    // The drop-down button's rectangle in client coordinates, from the style.
    TRect ButtonRect() const;

    // The native combo box, for keyboard, selection and the drop-down list.
    QComboBox* ComboBox() const;

    void SetEnabled(bool value) override;

    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    // For descendants of another kind: the native box is built in that kind
    // from the start, never with an edit field it would have to drop.
    TsuiCustomComboBox(QWidget* parent, TComboBoxStyle style);

    // Draws one item of an owner-drawn list (or the selection field, with
    // odComboBoxEdit) with the canvas's brush and font already set for its
    // state. The default fills the rectangle and writes the text.
    virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    // The user chose an item from the list or with the keyboard.
    virtual void Select();
    // The text of an editable combo box was typed.
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();
    // Setting key to 0 swallows the key.
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    // The typed character, before the box handles it; QChar() swallows it.
    virtual void KeyPress(QChar& key);
    // The native window was (re)built; owner-drawn descendants reset their heights here.
    virtual void CreateWnd() {}

    // Between the native picture and the frame.
    void DrawButton(TCanvas& canvas);
    void DrawArrow(TCanvas& canvas, int x, int y);

    void SetOwnerDrawn(bool value);
    bool OwnerDrawn() const { return m_ownerDrawn; }
    void SetEditable(bool value);
    // Runs fn with item changes batched, as one update of the list.
    void UpdateItems(const std::function<void()>& fn);

    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void resizeEvent(QResizeEvent* event) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // KeyDown and KeyPress for a key; true when they swallowed it.
    bool HandleKey(QKeyEvent* event);
    void ItemChosen();
    void ApplyPalette();

    TsuiComboBoxWindow* m_combo;
    TsuiUIStyle m_uiStyle = DeepBlue;
    TColor m_borderColor = clBlack;
    TColor m_arrowColor = clBlack;
    TColor m_buttonColor = clBlack;
    TComboBoxStyle m_comboStyle = csDropDown;
    bool m_ownerDrawn = false;
    int m_itemHeight = 16;
};

// The published combo box.
class TsuiComboBox : public TsuiCustomComboBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Style,Items,ItemIndex,ItemHeight,DropDownCount,Text,Color,Font,Enabled,"
                             "Anchors,BiDiMode,ParentColor,ParentFont,ParentShowHint,ShowHint,TabOrder,"
                             "TabStop,OnChange,OnClick,OnCloseUp,OnDropDown,OnSelect,OnDrawItem,OnEnter,"
                             "OnExit,OnKeyDown,OnKeyPress,OnKeyUp")

public:
    using TsuiCustomComboBox::TsuiCustomComboBox;
};
