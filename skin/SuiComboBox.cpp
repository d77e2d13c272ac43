#include "skin/SuiComboBox.h"

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

constexpr int kObjectRole = Qt::UserRole;

// The arrow's solid triangle (x, y), (x + 6, y), (x + 3, y + 3) with its
// outline, row by row as the platform fills it.
void FillArrow(TCanvas& canvas, int x, int y, TColor color)
{
    canvas.Brush = {color, bsSolid};
    for (int row = 0; row <= 3; ++row)
        canvas.FillRect(Rect(x + row, y + row, x + 7 - row, y + row + 1));
}

} // namespace

// The native combo box inside the skinned control: its own picture is
// composed off screen and gets the skin's button and frame before it is shown.
class TsuiComboBoxWindow : public QComboBox
{
public:
    explicit TsuiComboBoxWindow(TsuiCustomComboBox* owner) : QComboBox(owner), m_owner(owner) {}

    void InitOption(QStyleOptionComboBox* option) const { initStyleOption(option); }
    bool Dropped() const { return m_dropped; }

    void showPopup() override
    {
        RunGuarded([this] { m_owner->DropDown(); });
        m_dropped = true;
        QComboBox::showPopup();
    }

    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (!m_dropped)
            return;
        m_dropped = false;
        RunGuarded([this] { m_owner->CloseUp(); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QImage image = DeviceImage(size(), devicePixelRatioF());
        image.fill(ToQColor(ColorToRGB(m_owner->Color())));
        QStyleOptionComboBox option;
        initStyleOption(&option);
        {
            QPainter painter(&image);
            painter.setPen(palette().color(QPalette::Text));
            style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
            if (!m_owner->OwnerDrawn())
                style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, this);
        }
        RunGuarded([&] {
            TCanvas canvas(image);
            if (m_owner->OwnerDrawn() && !isEditable() && currentIndex() >= 0)
                DrawSelectionField(canvas, option);
            m_owner->DrawButton(canvas);
            DrawControlBorder(canvas, m_owner->BorderColor(), m_owner->Color());
        });
        QPainter(this).drawImage(0, 0, image);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (m_owner->HandleKey(event))
            return;
        QComboBox::keyPressEvent(event);
    }

private:
    // An owner-drawn list shows its selected item in the selection field too.
    void DrawSelectionField(TCanvas& canvas, const QStyleOptionComboBox& option)
    {
        const TRect field = TRect::FromQRect(
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this));
        const bool focused = hasFocus() && !m_dropped;
        TOwnerDrawState state = odComboBoxEdit;
        if (focused)
            state |= odSelected | odFocused;
        if (!m_owner->Enabled())
            state |= odDisabled;
        canvas.Font = m_owner->Font();
        canvas.Brush = {focused ? clHighlight : m_owner->Color(), bsSolid};
        if (focused)
            canvas.Font.Color = clHighlightText;
        canvas.SetClipRect(field);
        m_owner->DrawItem(canvas, currentIndex(), field, state);
        canvas.ClearClipRect();
        if (focused)
            canvas.DrawFocusRect(field);
    }

    TsuiCustomComboBox* m_owner;
    bool m_dropped = false;
};

// Owner-drawn items of the drop-down list, drawn by the control's DrawItem.
class TsuiComboItemDelegate : public QStyledItemDelegate
{
public:
    TsuiComboItemDelegate(TsuiCustomComboBox* owner) : QStyledItemDelegate(owner), m_owner(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QImage image = DeviceImage(option.rect.size(), painter->device()->devicePixelRatioF());
        if (image.isNull())
            return;
        const bool selected = option.state & QStyle::State_Selected;
        TOwnerDrawState state = 0;
        if (selected)
            state |= odSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= odFocused;
        if (!(option.state & QStyle::State_Enabled))
            state |= odDisabled;
        image.fill(ToQColor(ColorToRGB(m_owner->Color())));
        RunGuarded([&] {
            TCanvas canvas(image);
            canvas.Font = m_owner->Font();
            canvas.Brush = {selected ? clHighlight : m_owner->Color(), bsSolid};
            if (selected)
                canvas.Font.Color = clHighlightText;
            m_owner->DrawItem(canvas, index.row(), Rect(0, 0, option.rect.width(), option.rect.height()),
                              state);
        });
        painter->drawImage(option.rect.topLeft(), image);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), m_owner->ItemHeight());
    }

    // Tells the list that every item's height changed.
    void ItemHeightChanged(const QModelIndex& index) { emit sizeHintChanged(index); }

private:
    TsuiCustomComboBox* m_owner;
};

TsuiCustomComboBox::TsuiCustomComboBox(QWidget* parent) : TsuiCustomComboBox(parent, csDropDown) {}

TsuiCustomComboBox::TsuiCustomComboBox(QWidget* parent, TComboBoxStyle style)
    : TControl(parent), m_combo(new TsuiComboBoxWindow(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_combo);
    SetColor(clWindow);
    resize(145, 21);
    SetComboStyle(style);
    connect(m_combo, &QComboBox::activated, this, [this] { RunGuarded([this] { ItemChosen(); }); });
    SetParentFont(true);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
    ApplyPalette();
    FontChanged();
}

void TsuiCustomComboBox::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    m_buttonColor = GetThemeColor(style, teComboButtonColor);
    m_arrowColor = GetThemeColor(style, teControlBorderColor);
    m_borderColor = GetThemeColor(style, teControlBorderColor);
    m_combo->update();
}

void TsuiCustomComboBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    m_combo->update();
}

void TsuiCustomComboBox::SetArrowColor(TColor color)
{
    m_arrowColor = color;
    m_combo->update();
}

void TsuiCustomComboBox::SetButtonColor(TColor color)
{
    m_buttonColor = color;
    m_combo->update();
}

void TsuiCustomComboBox::SetComboStyle(TComboBoxStyle style)
{
    m_comboStyle = style;
    SetEditable(style == csDropDown || style == csSimple);
    SetOwnerDrawn(style == csOwnerDrawFixed || style == csOwnerDrawVariable);
}

void TsuiCustomComboBox::SetEditable(bool value)
{
    if (m_combo->isEditable() == value)
        return;
    m_combo->setEditable(value);
    if (QLineEdit* edit = m_combo->lineEdit()) {
        edit->installEventFilter(this);
        // Only typing counts as a change of the text, not a chosen item.
        connect(edit, &QLineEdit::textEdited, this, [this] { RunGuarded([this] { Change(); }); });
        ApplyPalette();
    }
}

void TsuiCustomComboBox::SetOwnerDrawn(bool value)
{
    if (m_ownerDrawn == value)
        return;
    m_ownerDrawn = value;
    if (value)
        m_combo->setItemDelegate(new TsuiComboItemDelegate(this));
    else
        m_combo->setItemDelegate(new QStyledItemDelegate(m_combo));
    m_combo->update();
}

void TsuiCustomComboBox::SetItemHeight(int height)
{
    if (height <= 0 || height == m_itemHeight)
        return;
    m_itemHeight = height;
    if (auto* delegate = dynamic_cast<TsuiComboItemDelegate*>(m_combo->itemDelegate()))
        for (int i = 0; i < m_combo->count(); ++i)
            delegate->ItemHeightChanged(m_combo->model()->index(i, 0));
}

int TsuiCustomComboBox::DropDownCount() const
{
    return m_combo->maxVisibleItems();
}

void TsuiCustomComboBox::SetDropDownCount(int count)
{
    m_combo->setMaxVisibleItems(count);
}

int TsuiCustomComboBox::ItemCount() const
{
    return m_combo->count();
}

QString TsuiCustomComboBox::ItemText(int index) const
{
    return m_combo->itemText(index);
}

std::uintptr_t TsuiCustomComboBox::ItemObject(int index) const
{
    return std::uintptr_t(m_combo->itemData(index, kObjectRole).toULongLong());
}

void TsuiCustomComboBox::SetItemObject(int index, std::uintptr_t object)
{
    if (index >= 0 && index < m_combo->count())
        m_combo->setItemData(index, QVariant::fromValue<qulonglong>(object), kObjectRole);
}

QStringList TsuiCustomComboBox::Items() const
{
    QStringList items;
    for (int i = 0; i < m_combo->count(); ++i)
        items << m_combo->itemText(i);
    return items;
}

void TsuiCustomComboBox::SetItems(const QStringList& items)
{
    UpdateItems([&] {
        m_combo->clear();
        for (const QString& item : items)
            AddItem(item);
    });
}

void TsuiCustomComboBox::AddItem(const QString& text, std::uintptr_t object)
{
    InsertItem(m_combo->count(), text, object);
}

void TsuiCustomComboBox::InsertItem(int index, const QString& text, std::uintptr_t object)
{
    // Inserting leaves the selection where it was, as a list box does.
    const int selected = m_combo->currentIndex();
    const QString editText = m_combo->isEditable() ? m_combo->currentText() : QString();
    m_combo->insertItem(index, text, QVariant::fromValue<qulonglong>(object));
    if (selected < 0 && m_combo->currentIndex() >= 0) {
        m_combo->setCurrentIndex(-1);
        if (m_combo->isEditable())
            m_combo->setEditText(editText);
    }
}

void TsuiCustomComboBox::DeleteItem(int index)
{
    if (index >= 0 && index < m_combo->count())
        m_combo->removeItem(index);
}

void TsuiCustomComboBox::ClearItems()
{
    m_combo->clear();
}

int TsuiCustomComboBox::IndexOf(const QString& text) const
{
    return m_combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

int TsuiCustomComboBox::ItemIndex() const
{
    return m_combo->currentIndex();
}

void TsuiCustomComboBox::SetItemIndex(int index)
{
    m_combo->setCurrentIndex(index >= 0 && index < m_combo->count() ? index : -1);
}

QString TsuiCustomComboBox::Text() const
{
    return m_combo->currentText();
}

void TsuiCustomComboBox::SetText(const QString& text)
{
    if (m_combo->isEditable()) {
        const int index = IndexOf(text);
        if (index >= 0)
            m_combo->setCurrentIndex(index);
        m_combo->setEditText(text);
        return;
    }
    m_combo->setCurrentIndex(m_combo->findText(text, Qt::MatchFixedString));
}

bool TsuiCustomComboBox::DroppedDown() const
{
    return m_combo->Dropped();
}

void TsuiCustomComboBox::SetDroppedDown(bool value)
{
    if (value == DroppedDown())
        return;
    if (value)
        m_combo->showPopup();
    else
        m_combo->hidePopup();
}

TRect TsuiCustomComboBox::ButtonRect() const
{
    QStyleOptionComboBox option;
    m_combo->InitOption(&option);
    return TRect::FromQRect(
        m_combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, m_combo));
}

QComboBox* TsuiCustomComboBox::ComboBox() const
{
    return m_combo;
}

void TsuiCustomComboBox::SetEnabled(bool value)
{
    TControl::SetEnabled(value);
    m_combo->update();
}

void TsuiCustomComboBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState)
{
    canvas.FillRect(rect);
    const QString text = ItemText(index);
    canvas.TextOut(rect.Left + 2, rect.Top + (rect.Height() - canvas.TextHeight(text)) / 2, text);
}

void TsuiCustomComboBox::DrawButton(TCanvas& canvas)
{
    const TRect button = ButtonRect();
    if (button.IsEmpty())
        return;
    const TsuiLook& look = SuiLook(m_uiStyle);
    if (look.ComboButtonPicture) {
        canvas.StretchDraw(button, SkinBitmap(QLatin1String(look.Prefix) + QLatin1String("COMBOBOX_BUTTON")));
    } else {
        canvas.Brush = {m_buttonColor, bsSolid};
        canvas.FillRect(button);
    }
    // The arrow's top is measured from the control's top, not the button's.
    DrawArrow(canvas, button.Left + button.Width() / 2 - 4, button.Height() / 2);
}

void TsuiCustomComboBox::DrawArrow(TCanvas& canvas, int x, int y)
{
    const TBrush saved = canvas.Brush;
    if (Enabled()) {
        FillArrow(canvas, x, y, ColorToRGB(m_arrowColor));
    } else {
        // Engraved: a white copy one pixel lower-right under a grey arrow.
        FillArrow(canvas, x + 1, y + 1, clWhite);
        FillArrow(canvas, x, y, 0x808080);
    }
    canvas.Brush = saved;
}

void TsuiCustomComboBox::UpdateItems(const std::function<void()>& fn)
{
    const bool blocked = m_combo->blockSignals(true);
    m_combo->setUpdatesEnabled(false);
    fn();
    m_combo->setUpdatesEnabled(true);
    m_combo->blockSignals(blocked);
    m_combo->update();
}

bool TsuiCustomComboBox::HandleKey(QKeyEvent* event)
{
    int key = event->key();
    RunGuarded([&] { KeyDown(key, event->modifiers()); });
    if (key == 0) {
        event->accept();
        return true;
    }
    // The character reaches KeyPress before the box searches or types it.
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    QChar ch = text.at(0);
    RunGuarded([&] { KeyPress(ch); });
    if (!ch.isNull())
        return false;
    event->accept();
    return true;
}

bool TsuiCustomComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // The edit field of the editable kinds takes the keys first.
    if (event->type() == QEvent::KeyPress && watched == m_combo->lineEdit())
        return HandleKey(static_cast<QKeyEvent*>(event));
    return TControl::eventFilter(watched, event);
}

void TsuiCustomComboBox::ItemChosen()
{
    Click();
    Select();
}

void TsuiCustomComboBox::Select()
{
    if (OnSelect)
        Fire(OnSelect);
    else
        Change();
}

void TsuiCustomComboBox::Change()
{
    Changed();
}

void TsuiCustomComboBox::DropDown()
{
    Fire(OnDropDown);
}

void TsuiCustomComboBox::CloseUp()
{
    Fire(OnCloseUp);
}

void TsuiCustomComboBox::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TsuiCustomComboBox::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TsuiCustomComboBox::ApplyPalette()
{
    const QColor face = ToQColor(ColorToRGB(Color()));
    const QColor text = ToQColor(ColorToRGB(Font().Color));
    QPalette palette = m_combo->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        palette.setColor(role, face);
    // Disabled text keeps the platform's grey.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            palette.setColor(group, role, text);
    m_combo->setPalette(palette);
    if (QLineEdit* edit = m_combo->lineEdit())
        edit->setPalette(palette);
}

void TsuiCustomComboBox::ColorChanged()
{
    ApplyPalette();
    m_combo->update();
}

void TsuiCustomComboBox::FontChanged()
{
    m_combo->setFont(Font().ToQFont());
    ApplyPalette();
    m_combo->update();
}

void TsuiCustomComboBox::EnabledChanged()
{
    m_combo->update();
}

void TsuiCustomComboBox::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    m_combo->setGeometry(rect());
}
