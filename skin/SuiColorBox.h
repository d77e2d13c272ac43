#pragma once

#include "skin/SuiComboBox.h"

#include <QFlags>

// Which entries a colour box lists.
enum TColorBoxStyles : unsigned
{
    cbStandardColors = 0x01, // the 16 standard colours
    cbExtendedColors = 0x02, // Money Green, Sky Blue, Cream, Med Gray
    cbSystemColors = 0x04,
    cbIncludeNone = 0x08,
    cbIncludeDefault = 0x10,
    cbCustomColor = 0x20, // a first entry that opens the colour dialog
    cbPrettyNames = 0x40  // "Sky Blue" for "clSkyBlue"
};
Q_DECLARE_FLAGS(TColorBoxStyle, TColorBoxStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(TColorBoxStyle)

// No item selected.
constexpr TColor clNothingSelected = 0xFF000000u;

// A colour picker on the skinned combo box: an owner-drawn list of the named
// colours, each a framed swatch and its name, each item carrying its colour.
class TsuiCustomColorBox : public TsuiCustomComboBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiCustomColorBox(QWidget* parent = nullptr);

    TColorBoxStyle Style() const { return m_style; }
    // Refills the list; the box is enabled only when some colours can be listed.
    void SetStyle(TColorBoxStyle styles);

    // The selected item's colour, clNothingSelected when none is.
    TColor Selected() const;
    // Selects the item of that colour; a colour not in the list goes onto
    // the custom entry when there is one, else nothing is selected.
    void SetSelected(TColor color);

    TColor DefaultColorColor() const { return m_defaultColorColor; }
    void SetDefaultColorColor(TColor color);
    TColor NoneColorColor() const { return m_noneColorColor; }
    void SetNoneColorColor(TColor color);

    // Typing searches the list as the native list does; kept for the
    // published interface.
    bool AutoComplete() const { return m_autoComplete; }
    void SetAutoComplete(bool value) { m_autoComplete = value; }
    // Typing a character opens the list.
    bool AutoDropDown() const { return m_autoDropDown; }
    void SetAutoDropDown(bool value) { m_autoDropDown = value; }

    TColor GetColor(int index) const { return TColor(ItemObject(index)); }
    QString GetColorName(int index) const { return ItemText(index); }

    // Opens the colour dialog on the custom entry's colour; true when the
    // user accepted, and the entry then carries the new colour.
    bool PickCustomColor();

protected:
    void PopulateList();
    void ColorCallBack(const QString& name);
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
    void Select() override;
    void CloseUp() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;

private:
    TColorBoxStyle m_style = TColorBoxStyle(cbStandardColors | cbExtendedColors | cbSystemColors);
    TColor m_selectedColor = clBlack;
    TColor m_defaultColorColor = clBlack;
    TColor m_noneColorColor = clBlack;
    bool m_autoComplete = true;
    bool m_autoDropDown = false;
    // Until the first fill the remembered colour stands for the selection.
    bool m_filled = false;
    // Set when the list closes, so that choosing the custom entry from the
    // list opens the dialog while moving onto it with the keys does not.
    bool m_listClosed = false;
};

// The published colour box.
class TsuiColorBox : public TsuiCustomColorBox
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Style,Selected,DefaultColorColor,NoneColorColor,AutoComplete,AutoDropDown,"
                             "Items,ItemIndex,ItemHeight,DropDownCount,Text,Color,Font,Enabled,Anchors,"
                             "BiDiMode,ParentColor,ParentFont,ParentShowHint,ShowHint,TabOrder,TabStop,"
                             "OnChange,OnClick,OnCloseUp,OnDropDown,OnSelect,OnDrawItem,OnEnter,OnExit,"
                             "OnKeyDown,OnKeyPress,OnKeyUp")

public:
    using TsuiCustomColorBox::TsuiCustomColorBox;
};
