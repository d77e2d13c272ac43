#include "skin/SuiStyleRules.h"

#include <QPointer>
#include <vector>

namespace {

// Guarded: a rule may delete or reparent a sibling while we walk.
std::vector<QPointer<QWidget>> DirectChildren(const QWidget* parent)
{
    std::vector<QPointer<QWidget>> result;
    if (parent == nullptr)
        return result;
    for (QObject* child : parent->children())
        if (auto* widget = qobject_cast<QWidget*>(child))
            result.push_back(widget);
    return result;
}

} // namespace

TsuiStyledForm* FindSUIForm(const QWidget* form)
{
    for (const QPointer<QWidget>& child : DirectChildren(form))
        if (auto* frame = dynamic_cast<TsuiStyledForm*>(child.data()))
            return frame;
    return nullptr;
}

TsuiUIStyle GetSUIFormStyle(const QWidget* form)
{
    const TsuiStyledForm* frame = FindSUIForm(form);
    return frame ? frame->FormUIStyle() : DeepBlue;
}

TColor GetSUIFormColor(const QWidget* form)
{
    const TsuiStyledForm* frame = FindSUIForm(form);
    return frame ? frame->FormColor() : clBtnFace;
}

TColor GetBorderColor(const QWidget* form)
{
    const TsuiStyledForm* frame = FindSUIForm(form);
    return frame ? GetThemeColor(frame->FormUIStyle(), teControlBorderColor) : clBlack;
}

void ContainerApplyUIStyle(QWidget* container, TsuiUIStyle style)
{
    const std::span<const TsuiStyleRule> rules = ContainerStyleRules();
    for (const QPointer<QWidget>& child : DirectChildren(container))
        for (const TsuiStyleRule rule : rules)
            if (child)
                rule(child, style);
}

void SubContainerApplyUIStyle(QWidget* container, TsuiUIStyle style)
{
    const std::span<const TsuiStyleRule> rules = SubContainerStyleRules();
    for (const QPointer<QWidget>& child : DirectChildren(container))
        for (const TsuiStyleRule rule : rules)
            if (child && rule(child, style))
                break;
}
