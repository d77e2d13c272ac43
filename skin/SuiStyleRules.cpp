#include "skin/SuiStyleRules.h"

#include <QPointer>
#include <algorithm>
#include <vector>

namespace {

struct Rule
{
    std::type_index Key;
    TsuiRuleSlot Slot;
    TsuiStyleRule Apply;
};

// The rules the component classes registered; shared by every container.
std::vector<Rule>& ContainerRules()
{
    static std::vector<Rule> rules;
    return rules;
}

std::vector<Rule>& SubContainerRules()
{
    static std::vector<Rule> rules;
    return rules;
}

void Upsert(std::vector<Rule>& rules, Rule rule)
{
    auto same = std::find_if(rules.begin(), rules.end(),
                             [&](const Rule& r) { return r.Key == rule.Key && r.Slot == rule.Slot; });
    if (same != rules.end()) {
        same->Apply = std::move(rule.Apply);
        return;
    }
    // Keep slot order, registration order within a slot.
    auto after = std::upper_bound(rules.begin(), rules.end(), rule.Slot,
                                  [](TsuiRuleSlot slot, const Rule& r) { return slot < r.Slot; });
    rules.insert(after, std::move(rule));
}

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

void RegisterContainerRule(std::type_index key, TsuiRuleSlot slot, TsuiStyleRule rule)
{
    Upsert(ContainerRules(), Rule{key, slot, std::move(rule)});
}

void RegisterSubContainer(std::type_index key, TsuiStyleRule update)
{
    Upsert(SubContainerRules(), Rule{key, TsuiRuleSlot::StyleAlways, std::move(update)});
}

void ContainerApplyUIStyle(QWidget* container, TsuiUIStyle style)
{
    // Snapshot: a rule may create or reparent widgets.
    const std::vector<Rule> rules = ContainerRules();
    for (const QPointer<QWidget>& child : DirectChildren(container))
        for (const Rule& rule : rules)
            if (child)
                rule.Apply(child, style);
}

void SubContainerApplyUIStyle(QWidget* container, TsuiUIStyle style)
{
    const std::vector<Rule> rules = SubContainerRules();
    for (const QPointer<QWidget>& child : DirectChildren(container))
        for (const Rule& rule : rules)
            if (child && rule.Apply(child, style))
                break;
}
