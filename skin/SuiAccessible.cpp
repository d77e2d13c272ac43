#include "skin/SuiAccessible.h"

#include "framework/TAccessible.h"
#include "skin/SuiButton.h"
#include "skin/SuiCheckGroup.h"
#include "skin/SuiComboBox.h"
#include "skin/SuiEdit.h"
#include "skin/SuiForm.h"
#include "skin/SuiGrid.h"
#include "skin/SuiImage.h"
#include "skin/SuiListBox.h"
#include "skin/SuiPageControl.h"
#include "skin/SuiProgressBar.h"
#include "skin/SuiScrollBar.h"
#include "skin/SuiTitleBar.h"

#include <QHash>
#include <QPointer>

namespace {

// What a screen reader calls each kind of caption button.
QString TitleButtonName(TsuiTitleBarBtnType type, bool maximized)
{
    switch (type) {
    case suiMax:
        return maximized ? QStringLiteral("还原") : QStringLiteral("最大化");
    case suiMin:
        return QStringLiteral("最小化");
    case suiClose:
        return QStringLiteral("关闭");
    case suiHelp:
        return QStringLiteral("帮助");
    case suiControlBox:
        return QStringLiteral("控制菜单");
    case suiCustom:
        break;
    }
    return QStringLiteral("按钮");
}

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks].isSpace())
        ++blanks;
    return text.mid(blanks);
}

// A widget whose caption is its name.
class TCaptionedAccessible : public QAccessibleWidget
{
public:
    TCaptionedAccessible(TControl* control, QAccessible::Role role) : QAccessibleWidget(control, role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return SpokenCaption(static_cast<TControl*>(widget())->Caption());
        return QAccessibleWidget::text(t);
    }
};

class TsuiButtonAccessible : public TCaptionedAccessible
{
public:
    explicit TsuiButtonAccessible(TsuiCustomButton* button) : TCaptionedAccessible(button, Role(button)) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Button()->Pressed();
        s.hotTracked = Button()->MouseOver();
        s.defaultButton = Button()->Default();
        if (auto* twoState = dynamic_cast<TsuiCustomButtonEx*>(Button())) {
            s.checkable = true;
            s.checked = twoState->Checked();
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (!Button()->isEnabled() || !Button()->isVisible())
            return {};
        return {role() == QAccessible::PushButton ? pressAction() : toggleAction()};
    }

    void doAction(const QString& name) override
    {
        if (actionNames().contains(name))
            ClickControlAt(Button(), Button()->rect().center());
    }

private:
    static QAccessible::Role Role(TsuiCustomButton* button)
    {
        if (dynamic_cast<TsuiRadioButton*>(button))
            return QAccessible::RadioButton;
        if (dynamic_cast<TsuiCheckBox*>(button))
            return QAccessible::CheckBox;
        return QAccessible::PushButton;
    }
    TsuiCustomButton* Button() const { return static_cast<TsuiCustomButton*>(widget()); }
};

// One part of a self-painted widget that has no widget of its own (a caption
// button, a tab), known to its parent's interface by a key.
class TPartAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TPartAccessible(QWidget* owner, int key) : m_owner(owner), m_key(key) {}

    bool isValid() const override { return m_owner && Parent() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_owner ? m_owner->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return Parent(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QRect local = LocalRect();
        if (!m_owner || local.isEmpty())
            return {};
        return QRect(m_owner->mapToGlobal(local.topLeft()), local.size());
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override
    {
        if (!m_owner || !m_owner->isEnabled() || !m_owner->isVisible() || LocalRect().isEmpty())
            return {};
        return {pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (actionNames().contains(name))
            ClickControlAt(m_owner, LocalRect().center());
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int Key() const { return m_key; }

protected:
    virtual QRect LocalRect() const = 0;
    QAccessibleInterface* Parent() const
    {
        return m_owner ? QAccessible::queryAccessibleInterface(m_owner) : nullptr;
    }
    QAccessible::State BaseState() const
    {
        QAccessible::State s;
        if (!m_owner || !m_owner->isVisible())
            s.invisible = true;
        if (m_owner && !m_owner->isEnabled())
            s.disabled = true;
        return s;
    }

    QPointer<QWidget> m_owner;
    int m_key;
};

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// The parts of a widget, created on demand and registered with Qt, which
// frees them with the owner's interface.
template <class Part> class TParts
{
public:
    ~TParts()
    {
        for (QAccessible::Id id : std::as_const(m_ids))
            QAccessible::deleteAccessibleInterface(id);
    }
    QAccessibleInterface* Get(QWidget* owner, int key) const
    {
        if (const auto it = m_ids.constFind(key); it != m_ids.cend())
            return QAccessible::accessibleInterface(*it);
        auto* part = new Part(owner, key);
        m_ids.insert(key, QAccessible::registerAccessibleInterface(part));
        return part;
    }

private:
    mutable QHash<int, QAccessible::Id> m_ids;
};

// A caption button of a title bar, keyed by its index in the bar's buttons.
class TTitleButtonAccessible : public TPartAccessible
{
public:
    using TPartAccessible::TPartAccessible;

    QAccessible::Role role() const override { return QAccessible::Button; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !Bar())
            return {};
        const QWidget* form = Bar()->Form();
        return TitleButtonName(Bar()->Buttons().Items(m_key).ButtonType(), form && form->isMaximized());
    }
    QAccessible::State state() const override { return BaseState(); }

protected:
    QRect LocalRect() const override
    {
        if (Bar())
            for (const TsuiTitleBar::ButtonPlace& place : Bar()->ButtonPlaces())
                if (place.Index == m_key)
                    return ToQRect(place.Rect);
        return {};
    }

private:
    TsuiTitleBar* Bar() const { return static_cast<TsuiTitleBar*>(m_owner.data()); }
};

// The title bar: named by its caption, with its caption buttons as children
// in the order the bar lays them out, right to left.
class TsuiTitleBarAccessible : public QAccessibleWidget
{
public:
    explicit TsuiTitleBarAccessible(TsuiTitleBar* bar) : QAccessibleWidget(bar, QAccessible::TitleBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return WithoutLeadingBlanks(Bar()->Caption());
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(Places().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const std::vector<int> places = Places();
        if (index < 0 || index >= int(places.size()))
            return nullptr;
        return m_parts.Get(Bar(), places[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* part = dynamic_cast<const TTitleButtonAccessible*>(child);
        if (!part || part->parent() != this)
            return -1;
        const std::vector<int> places = Places();
        const auto it = std::find(places.begin(), places.end(), part->Key());
        return it == places.end() ? -1 : int(it - places.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint local = Bar()->mapFromGlobal(QPoint(x, y));
        const int index = Bar()->ButtonAt(local.x(), local.y());
        return index < 0 ? nullptr : m_parts.Get(Bar(), index);
    }

private:
    TsuiTitleBar* Bar() const { return static_cast<TsuiTitleBar*>(widget()); }
    // The buttons that have a place on the bar (a button without pictures has none).
    std::vector<int> Places() const
    {
        std::vector<int> keys;
        for (const TsuiTitleBar::ButtonPlace& place : Bar()->ButtonPlaces())
            if (!place.Rect.IsEmpty())
                keys.push_back(place.Index);
        return keys;
    }

    TParts<TTitleButtonAccessible> m_parts;
};

// One tab of a strip, keyed by its tab index.
class TTabAccessible : public TPartAccessible
{
public:
    using TPartAccessible::TPartAccessible;

    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !Strip() || m_key >= Strip()->Tabs().size())
            return {};
        return SpokenCaption(Strip()->Tabs()[m_key]);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = BaseState();
        s.selectable = true;
        s.selected = Strip() && Strip()->TabIndex() == m_key;
        return s;
    }

protected:
    QRect LocalRect() const override
    {
        if (!Strip())
            return {};
        const std::vector<TRect> rects = Strip()->TabRects();
        if (m_key >= int(rects.size()))
            return {};
        // A click lands only above the active tab's bitmap height.
        QRect r = ToQRect(rects[std::size_t(m_key)]);
        r.setHeight(std::min(r.height(), Strip()->TabHeight()));
        return r;
    }

private:
    TsuiTabControlTopPanel* Strip() const { return static_cast<TsuiTabControlTopPanel*>(m_owner.data()); }
};

// The strip: one page tab per shown tab.
class TsuiTabStripAccessible : public QAccessibleWidget
{
public:
    explicit TsuiTabStripAccessible(TsuiTabControlTopPanel* strip)
        : QAccessibleWidget(strip, QAccessible::PageTabList)
    {
    }

    int childCount() const override { return int(Shown().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const std::vector<int> shown = Shown();
        if (index < 0 || index >= int(shown.size()))
            return nullptr;
        return m_parts.Get(Strip(), shown[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* part = dynamic_cast<const TTabAccessible*>(child);
        if (!part || part->parent() != this)
            return -1;
        const std::vector<int> shown = Shown();
        const auto it = std::find(shown.begin(), shown.end(), part->Key());
        return it == shown.end() ? -1 : int(it - shown.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint local = Strip()->mapFromGlobal(QPoint(x, y));
        const int index = Strip()->TabAt(local.x(), local.y());
        return index < 0 ? nullptr : m_parts.Get(Strip(), index);
    }

private:
    TsuiTabControlTopPanel* Strip() const { return static_cast<TsuiTabControlTopPanel*>(widget()); }
    std::vector<int> Shown() const
    {
        std::vector<int> shown;
        for (int i = 0; i < Strip()->Tabs().size(); ++i)
            if (Strip()->TabShown(i))
                shown.push_back(i);
        return shown;
    }

    TParts<TTabAccessible> m_parts;
};

// A page control lists its strip first, then its pages in page order, as
// the tabs show them, whatever order the pages were built in.
class TsuiPageControlAccessible : public QAccessibleWidget
{
public:
    explicit TsuiPageControlAccessible(TsuiPageControl* control)
        : QAccessibleWidget(control, QAccessible::Pane)
    {
    }

    int childCount() const override { return int(Children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const std::vector<QWidget*> children = Children();
        if (index < 0 || index >= int(children.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || !child->object())
            return -1;
        const std::vector<QWidget*> children = Children();
        const auto it = std::find(children.begin(), children.end(), child->object());
        return it == children.end() ? -1 : int(it - children.begin());
    }

private:
    std::vector<QWidget*> Children() const
    {
        auto* control = static_cast<TsuiPageControl*>(widget());
        std::vector<QWidget*> children;
        if (control->TopPanel())
            children.push_back(control->TopPanel());
        for (int i = 0; i < control->PageCount(); ++i)
            children.push_back(control->Pages(i));
        for (QObject* object : control->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() &&
                std::find(children.begin(), children.end(), child) == children.end())
                children.push_back(child);
        }
        return children;
    }
};

// Progress, track and scroll bars: their position as the value.
template <class Bar> class TBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    TBarAccessible(Bar* bar, QAccessible::Role role, bool settable)
        : QAccessibleWidget(bar, role), m_settable(settable)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(Control()->Position());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = !m_settable;
        return s;
    }
    QVariant currentValue() const override { return Control()->Position(); }
    void setCurrentValue(const QVariant& value) override
    {
        if (m_settable && Control()->isEnabled())
            Control()->SetPosition(value.toInt());
    }
    QVariant maximumValue() const override { return Control()->Max(); }
    QVariant minimumValue() const override { return Control()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    Bar* Control() const { return static_cast<Bar*>(widget()); }
    bool m_settable;
};

// Frames around Qt's own editors, lists, grids and combo boxes: the widget
// inside has its own interface with text, items and state.
class TFrameAccessible : public QAccessibleWidget
{
public:
    explicit TFrameAccessible(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Pane) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const auto* edit = dynamic_cast<const TsuiEdit*>(widget()))
            s.readOnly = edit->ReadOnly();
        else if (const auto* memo = dynamic_cast<const TsuiMemo*>(widget()))
            s.readOnly = memo->ReadOnly();
        return s;
    }
};

} // namespace

QAccessibleInterface* CreateSkinAccessible(QObject* object)
{
    auto* control = dynamic_cast<TControl*>(object);
    if (!control)
        return nullptr;
    if (auto* button = dynamic_cast<TsuiCustomButton*>(control))
        return new TsuiButtonAccessible(button);
    if (auto* bar = dynamic_cast<TsuiTitleBar*>(control))
        return new TsuiTitleBarAccessible(bar);
    if (auto* strip = dynamic_cast<TsuiTabControlTopPanel*>(control))
        return new TsuiTabStripAccessible(strip);
    if (dynamic_cast<TsuiTabSheet*>(control))
        return new TCaptionedAccessible(control, QAccessible::Pane);
    if (dynamic_cast<TsuiCustomGroupBox*>(control))
        return new TCaptionedAccessible(control, QAccessible::Grouping);
    if (auto* bar = dynamic_cast<TsuiProgressBar*>(control))
        return new TBarAccessible<TsuiProgressBar>(bar, QAccessible::ProgressBar, false);
    if (auto* bar = dynamic_cast<TsuiScrollBar*>(control))
        return new TBarAccessible<TsuiScrollBar>(bar, QAccessible::ScrollBar, true);
    if (auto* bar = dynamic_cast<TsuiTrackBar*>(control))
        return new TBarAccessible<TsuiTrackBar>(bar, QAccessible::Slider, true);
    if (dynamic_cast<TImage*>(control))
        return new QAccessibleWidget(control, QAccessible::Graphic);
    if (dynamic_cast<TsuiEdit*>(control) || dynamic_cast<TsuiMemo*>(control) ||
        dynamic_cast<TsuiFramedView*>(control) || dynamic_cast<TsuiCustomDrawGrid*>(control) ||
        dynamic_cast<TsuiCustomComboBox*>(control))
        return new TFrameAccessible(control);
    if (auto* pages = dynamic_cast<TsuiPageControl*>(control))
        return new TsuiPageControlAccessible(pages);
    if (dynamic_cast<TsuiTab*>(control) || dynamic_cast<TsuiForm*>(control))
        return new QAccessibleWidget(control, QAccessible::Pane);
    return nullptr;
}
