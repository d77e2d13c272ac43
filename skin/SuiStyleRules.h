#pragma once

#include "framework/TColor.h"
#include "skin/Suithemes.h"

#include <QObject>
#include <QWidget>
#include <span>

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

// Style propagation. One table, in SuiStyleRuleTable.cpp, says what a
// container does to each kind of skinned child. A rule returns false when the
// child is not of its class.
using TsuiStyleRule = bool (*)(QObject* child, TsuiUIStyle style);

// A child gets every rule whose class it is or derives from, in table order.
std::span<const TsuiStyleRule> ContainerStyleRules();
// The first rule that matches a child is its container update.
std::span<const TsuiStyleRule> SubContainerStyleRules();

// Applies the container rules to the container's direct children, once, in
// child order. It does not descend by itself.
void ContainerApplyUIStyle(QWidget* container, TsuiUIStyle style);
// Calls UpdateUIStyle of every direct child that is a sub-container.
void SubContainerApplyUIStyle(QWidget* container, TsuiUIStyle style);
