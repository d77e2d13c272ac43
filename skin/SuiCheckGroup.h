#pragma once

#include "framework/TControl.h"
#include "skin/SuiCustomPanel.h"
#include "skin/Suithemes.h"

#include <QString>
#include <QStringList>
#include <vector>

class TsuiCheckBox;

// A frame in BorderColor whose top edge is broken by the caption. Children
// are placed inside at the positions given; disabling the box disables them.
class TsuiCustomGroupBox : public TsuiCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BorderColor,Align,Anchors,BiDiMode,ParentShowHint,ParentBiDiMode")

public:
    explicit TsuiCustomGroupBox(QWidget* parent = nullptr);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);

    // The room inside the frame.
    TRect GetClient() const;

    // Pushes a style to the skinned children.
    virtual void UpdateUIStyle(TsuiUIStyle style);

    // The style's border and caption colours and, with `withFace`, its face.
    void ApplyThemeColors(TsuiUIStyle style, bool withFace);

    // Every child control takes the same value, so enabling the box also
    // enables a child that was disabled on its own.
    void SetEnabled(bool value) override;

protected:
    void Paint(TCanvas& canvas) override;
    QString PanelText() const override { return {}; }

private:
    TColor m_borderColor = clBlack;
};

class TsuiGroupBox : public TsuiCustomGroupBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "OnClick,OnDblClick,OnMouseDown,OnMouseMove,OnMouseUp,OnResize,OnEnter,"
                             "OnExit,OnDragDrop,OnDragOver,OnEndDock,OnEndDrag,OnStartDock,OnStartDrag")

public:
    explicit TsuiGroupBox(QWidget* parent = nullptr);
};

// A group box with one skinned check box per line of Items, laid out in
// columns: the first column top to bottom, then the next. Other children
// keep their places, so the windows also use it as a captioned frame around
// their command buttons.
class TsuiCheckGroup : public TsuiCustomGroupBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,Items,Columns,TopMargin,OnClick,OnEnter,OnExit,OnDragDrop,"
                             "OnDragOver,OnEndDock,OnEndDrag,OnStartDock,OnStartDrag")

public:
    explicit TsuiCheckGroup(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // The generated buttons take the style too.
    void SetUIStyle(TsuiUIStyle style);

    // Border colour, caption colour and, unless the colour follows the
    // parent, the face colour of the style; children keep their own look.
    void UpdateUIStyle(TsuiUIStyle style) override;

    // Buttons are added or removed at the end to match, and all renamed.
    const TStrings& Items() const { return m_items; }
    void SetItems(const TStrings& items);
    // Negative values are ignored.
    int Columns() const { return m_columns; }
    void SetColumns(int columns);
    int TopMargin() const { return m_topMargin; }
    void SetTopMargin(int margin);

    // False out of range; setting out of range is ignored.
    bool Checked(int index) const;
    void SetChecked(int index, bool value);
    int ButtonCount() const { return int(m_buttons.size()); }
    TsuiCheckBox* Button(int index) const;

    // The generated buttons pass their transparency on too.
    void SetTransparent(bool value) override;

    // Lays the generated buttons out in the room inside the frame.
    void ArrangeButtons();

protected:
    // The button for a new line of Items.
    virtual TsuiCheckBox* CreateAButton();
    // Runs before OnClick on every click of a button or of the group.
    virtual void NewClick() {}
    void Click() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ItemChanged();
    bool UpdateButtons();
    void DoClick();

    TStringList m_items;
    std::vector<TsuiCheckBox*> m_buttons;
    int m_columns = 1;
    TsuiUIStyle m_uiStyle = Custom;
    int m_topMargin = 8;
};

// A check group of radio buttons: at most one is checked.
class TsuiRadioGroup : public TsuiCheckGroup
{
    Q_OBJECT
    Q_CLASSINFO("Published", "ItemIndex")

public:
    explicit TsuiRadioGroup(QWidget* parent = nullptr);

    // The first checked button, -1 for none. -1 unchecks every button;
    // other values outside the items are ignored.
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    TsuiCheckBox* CreateAButton() override;
};
