#pragma once

#include "framework/TColor.h"
#include "skin/Suithemes.h"

#include <QObject>
#include <QWidget>
#include <functional>
#include <typeindex>

// What the form lookups need of the skinned frame of a form. TsuiForm
// implements it; the lookups find it among the form's direct children.
class TsuiStyledForm
{
public:
    virtual ~TsuiStyledForm() = default;
    virtual TsuiUIStyle FormUIStyle() const = 0;
    virtual TColor FormColor() const = 0;
};

// The first direct child of `form` that is a skinned frame, or null.
TsuiStyledForm* FindSUIForm(const QWidget* form);

// The style of the form's frame; DeepBlue without one.
TsuiUIStyle GetSUIFormStyle(const QWidget* form);
// The colour of the form's frame; the button face without one.
TColor GetSUIFormColor(const QWidget* form);
// The control border colour of the frame's style; black without a frame.
TColor GetBorderColor(const QWidget* form);

// Style propagation. Each component class registers what happens to it when
// a container pushes a style down; rules run in slot order, and a child gets
// every rule whose class it is or derives from.
enum class TsuiRuleSlot
{
    StyleUnlessCustom = 1, // radio button, check box, button
    ProgressBar = 2,       // also only unless Custom
    BorderColor = 3,       // list box, edit, memo, check list box, list view, tree view
    GroupBox = 4,
    SideChannel = 5,
    StyleAlways = 6, // check group, combo boxes, tab and page controls, bars, grids
};

using TsuiStyleRule = std::function<bool(QObject* child, TsuiUIStyle style)>;

// Registering again under the same key replaces the rule.
void RegisterContainerRule(std::type_index key, TsuiRuleSlot slot, TsuiStyleRule rule);
void RegisterSubContainer(std::type_index key, TsuiStyleRule update);

template <class T> void RegisterContainerRule(TsuiRuleSlot slot, std::function<void(T&, TsuiUIStyle)> apply)
{
    RegisterContainerRule(std::type_index(typeid(T)), slot, [apply](QObject* child, TsuiUIStyle style) {
        T* target = dynamic_cast<T*>(child);
        if (target == nullptr)
            return false;
        apply(*target, style);
        return true;
    });
}

// For classes with UIStyle()/SetUIStyle(): restyle unless the child is Custom.
template <class T> void RegisterStyleUnlessCustom(TsuiRuleSlot slot = TsuiRuleSlot::StyleUnlessCustom)
{
    RegisterContainerRule<T>(slot, [](T& child, TsuiUIStyle style) {
        if (child.UIStyle() != Custom)
            child.SetUIStyle(style);
    });
}

template <class T> void RegisterStyleAlways()
{
    RegisterContainerRule<T>(TsuiRuleSlot::StyleAlways,
                             [](T& child, TsuiUIStyle style) { child.SetUIStyle(style); });
}

// For classes with SetBorderColor(): border := element 8.
template <class T> void RegisterBorderColorRule()
{
    RegisterContainerRule<T>(TsuiRuleSlot::BorderColor, [](T& child, TsuiUIStyle style) {
        child.SetBorderColor(GetThemeColor(style, teControlBorderColor));
    });
}

// For containers with UpdateUIStyle(style), reached by SubContainerApplyUIStyle.
template <class T> void RegisterSubContainer()
{
    RegisterSubContainer(std::type_index(typeid(T)), [](QObject* child, TsuiUIStyle style) {
        T* target = dynamic_cast<T*>(child);
        if (target == nullptr)
            return false;
        target->UpdateUIStyle(style);
        return true;
    });
}

// Runs a registration during start-up. Put one at namespace scope in the
// component's own .cpp, so the rule exists whenever the class can:
//   const TsuiRuleRegistrar buttonRules([] { RegisterStyleUnlessCustom<TsuiButton>(); });
struct TsuiRuleRegistrar
{
    explicit TsuiRuleRegistrar(const std::function<void()>& registration) { registration(); }
};

// Applies the registered rules to the container's direct children, once, in
// child order. It does not descend by itself.
void ContainerApplyUIStyle(QWidget* container, TsuiUIStyle style);
// Calls UpdateUIStyle of every direct child that is a registered sub-container.
void SubContainerApplyUIStyle(QWidget* container, TsuiUIStyle style);
