#include "controls/SnAccessible.h"

#include "controls/SnEditFrame.h"
#include "controls/Sncheckbox.h"
#include "controls/Snlabel.h"
#include "framework/TAccessible.h"

namespace {

// The tweak box: its own enabled flag decides whether it is available, and
// its toggle is a left click, with the click's OnClick.
class TSnCheckBoxAccessible : public QAccessibleWidget
{
public:
    explicit TSnCheckBoxAccessible(TSnCheckBox* box) : QAccessibleWidget(box, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return SpokenCaption(Box()->Caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Box()->Checked();
        if (!Box()->Enabled()) {
            s.disabled = true;
            s.focusable = false;
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (!Box()->Enabled() || !Box()->isVisible())
            return {};
        return {toggleAction()};
    }

    void doAction(const QString& name) override
    {
        if (name == toggleAction() && Box()->Enabled() && Box()->isVisible())
            ClickControlAt(Box(), Box()->rect().center());
    }

private:
    TSnCheckBox* Box() const { return static_cast<TSnCheckBox*>(widget()); }
};

class TSnLabelAccessible : public QAccessibleWidget
{
public:
    explicit TSnLabelAccessible(TSnLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return SpokenCaption(static_cast<TSnLabel*>(widget())->Caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

// The frame around a memo or rich edit: the editor inside is Qt's, with its
// own text and read-only state; the frame passes on its name and state.
class TSnEditFrameAccessible : public QAccessibleWidget
{
public:
    explicit TSnEditFrameAccessible(TSnEditFrame* frame) : QAccessibleWidget(frame, QAccessible::Pane) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<TSnEditFrame*>(widget())->Text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = static_cast<TSnEditFrame*>(widget())->ReadOnly();
        return s;
    }
};

} // namespace

QAccessibleInterface* CreateControlsAccessible(QObject* object)
{
    if (auto* box = qobject_cast<TSnCheckBox*>(object))
        return new TSnCheckBoxAccessible(box);
    if (auto* label = qobject_cast<TSnLabel*>(object))
        return new TSnLabelAccessible(label);
    if (auto* frame = qobject_cast<TSnEditFrame*>(object))
        return new TSnEditFrameAccessible(frame);
    return nullptr;
}
