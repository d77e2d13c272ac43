#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiColorBox.h"
#include "skin/SuiComboBox.h"
#include "skin/SuiEdit.h"
#include "skin/SuiFontComboBox.h"
#include "skin/SuiGrid.h"
#include "skin/SuiListBox.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiSideChannel.h"
#include "skin/SuiStyleRules.h"
#include "skin/SuiToolBar.h"

namespace {

template <class T, void (*Apply)(T&, TsuiUIStyle)> bool RuleFor(QObject* child, TsuiUIStyle style)
{
    T* target = dynamic_cast<T*>(child);
    if (target == nullptr)
        return false;
    Apply(*target, style);
    return true;
}

template <class T> void StyleUnlessCustom(T& child, TsuiUIStyle style)
{
    if (child.UIStyle() != Custom)
        child.SetUIStyle(style);
}

template <class T> void StyleAlways(T& child, TsuiUIStyle style)
{
    child.SetUIStyle(style);
}

template <class T> void BorderColor(T& child, TsuiUIStyle style)
{
    child.SetBorderColor(GetThemeColor(style, teControlBorderColor));
}

void GroupBoxColors(TsuiGroupBox& box, TsuiUIStyle style)
{
    box.ApplyThemeColors(style, true);
}

void SideChannelColors(TsuiSideChannel& channel, TsuiUIStyle style)
{
    channel.SetColor(GetThemeColor(style, teControlColor));
    channel.SetSideColor(GetThemeColor(style, teControlColor));
}

template <class T> void UpdateChildren(T& container, TsuiUIStyle style)
{
    container.UpdateUIStyle(style);
}

template <class T> constexpr TsuiStyleRule kUnlessCustom = &RuleFor<T, &StyleUnlessCustom<T>>;
template <class T> constexpr TsuiStyleRule kAlways = &RuleFor<T, &StyleAlways<T>>;
template <class T> constexpr TsuiStyleRule kBorder = &RuleFor<T, &BorderColor<T>>;
template <class T> constexpr TsuiStyleRule kUpdate = &RuleFor<T, &UpdateChildren<T>>;

// What a container does to each kind of child, in the order it does it. A
// radio button is a check box and takes that rule.
constexpr TsuiStyleRule kContainerRules[] = {
    kUnlessCustom<TsuiCheckBox>,
    kUnlessCustom<TsuiButton>,
    kUnlessCustom<TsuiProgressBar>,
    kBorder<TsuiListBox>,
    kBorder<TsuiEdit>,
    kBorder<TsuiMemo>,
    kBorder<TsuiCheckListBox>,
    kBorder<TsuiListView>,
    kBorder<TsuiTreeView>,
    &RuleFor<TsuiGroupBox, &GroupBoxColors>,
    &RuleFor<TsuiSideChannel, &SideChannelColors>,
    kAlways<TsuiCheckGroup>,
    kAlways<TsuiComboBox>,
    kAlways<TsuiColorBox>,
    kAlways<TsuiFontComboBox>,
    kAlways<TsuiFontSizeComboBox>,
    kAlways<TsuiTabControl>,
    kAlways<TsuiTrackBar>,
    kAlways<TsuiToolBar>,
    kAlways<TsuiPageControl>,
    kAlways<TsuiScrollBar>,
    kAlways<TsuiDrawGrid>,
    kAlways<TsuiStringGrid>,
};

constexpr TsuiStyleRule kSubContainerRules[] = {
    kUpdate<TsuiImagePanel>,
    kUpdate<TsuiGroupBox>,
    kUpdate<TsuiTabControl>,
    kUpdate<TsuiTabSheet>,
};

} // namespace

std::span<const TsuiStyleRule> ContainerStyleRules()
{
    return kContainerRules;
}

std::span<const TsuiStyleRule> SubContainerStyleRules()
{
    return kSubContainerRules;
}
