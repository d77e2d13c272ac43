#include "skin/SuiCheckGroup.h"

#include "framework/TCanvas.h"
#include "skin/SuiButton.h"
#include "skin/Suipublic.h"

#include <memory>

// --- group boxes ------------------------------------------------------------

TsuiCustomGroupBox::TsuiCustomGroupBox(QWidget* parent) : TsuiCustomPanel(parent)
{
    const TsuiUIStyle style = GetSUIFormStyle(parent ? parent->window() : nullptr);
    resize(185, 105);
    ApplyThemeColors(style, false);
    SetTransparent(true);
}

void TsuiCustomGroupBox::ApplyThemeColors(TsuiUIStyle style, bool withFace)
{
    SetBorderColor(GetThemeColor(style, teControlBorderColor));
    TFont font = Font();
    font.Color = GetThemeColor(style, teGroupFontColor);
    SetFont(font);
    if (withFace)
        SetColor(GetThemeColor(style, teControlColor));
}

void TsuiCustomGroupBox::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

TRect TsuiCustomGroupBox::GetClient() const
{
    const TRect r = ClientRect();
    return Rect(r.Left + 3, r.Top + Font().PixelHeight(), r.Right - 2, r.Bottom - 2);
}

void TsuiCustomGroupBox::UpdateUIStyle(TsuiUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}

void TsuiCustomGroupBox::SetEnabled(bool value)
{
    TsuiCustomPanel::SetEnabled(value);
    for (QObject* child : children()) {
        if (auto* control = qobject_cast<TControl*>(child))
            control->SetEnabled(value);
        else if (auto* widget = qobject_cast<QWidget*>(child))
            widget->setEnabled(value);
    }
    update();
}

void TsuiCustomGroupBox::Paint(TCanvas& canvas)
{
    TsuiCustomPanel::Paint(canvas);

    canvas.Font = Font();
    const int h = Font().PixelHeight();
    TRect r = ClientRect();
    r.Top += h / 2 + 1;
    const QString caption = Caption();
    canvas.Pen = {m_borderColor, 1, psSolid};
    canvas.MoveTo(r.Left + 2, r.Top);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Right - 1, r.Top);
    // The gap left in the top edge holds the caption.
    if (caption.isEmpty()) {
        canvas.LineTo(r.Left, r.Top);
        return;
    }
    canvas.LineTo(r.Left + 6 + canvas.TextWidth(caption), r.Top);
    if (!Enabled())
        canvas.Font.Color = clGray;
    canvas.Brush.Style = bsClear;
    canvas.TextOut(5, 0, caption);
}

TsuiGroupBox::TsuiGroupBox(QWidget* parent) : TsuiCustomGroupBox(parent) {}

TsuiCheckGroup::TsuiCheckGroup(QWidget* parent) : TsuiCustomGroupBox(parent)
{
    SetCaption(QStringLiteral("suiCheckGroup"));
    SetParentColor(true);
    SetTransparent(false);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
}

void TsuiCheckGroup::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    UpdateUIStyle(style);
    // The buttons keep following the group's colour (ParentColor).
    for (TsuiCheckBox* button : m_buttons)
        button->SetUIStyle(style);
}

void TsuiCheckGroup::SetItems(const TStrings& items)
{
    m_items = items;
    ItemChanged();
}

void TsuiCheckGroup::ItemChanged()
{
    const bool created = UpdateButtons();
    ArrangeButtons();
    // New buttons repaint over the current background.
    if (created) {
        SetTransparent(!Transparent());
        SetTransparent(!Transparent());
    }
}

TsuiCheckBox* TsuiCheckGroup::CreateAButton()
{
    return new TsuiCheckBox(this);
}

bool TsuiCheckGroup::UpdateButtons()
{
    const int missing = int(m_items.size()) - ButtonCount();
    for (int i = 0; i < missing; ++i) {
        TsuiCheckBox* button = CreateAButton();
        button->SetAutoSize(true);
        button->SetUIStyle(m_uiStyle);
        button->SetTransparent(Transparent());
        button->SetParentColor(true);
        button->OnClick = [this](QObject*) { DoClick(); };
        button->show();
        m_buttons.push_back(button);
    }
    for (int i = missing; i < 0; ++i) {
        std::unique_ptr<TsuiCheckBox> last(m_buttons.back());
        m_buttons.pop_back();
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->SetCaption(m_items[qsizetype(i)]);
    return missing > 0;
}

void TsuiCheckGroup::ArrangeButtons()
{
    if (m_buttons.empty())
        return;
    TRect r = GetClient();
    r.Top += m_topMargin;
    const int avail = r.Bottom - r.Top;
    // No columns lays the buttons out as one.
    const int columns = std::max(m_columns, 1);
    const int count = ButtonCount();
    const int rows = (count + columns - 1) / columns;
    const int colWidth = (width() - 10) / columns;
    const int rowHeight = avail / rows;
    const int top0 = r.Top + (avail % rows) / 2;
    for (int i = 0; i < count; ++i)
        m_buttons[std::size_t(i)]->move((i / rows) * colWidth + 8, (i % rows) * rowHeight + top0);
}

void TsuiCheckGroup::SetColumns(int columns)
{
    if (columns < 0)
        return;
    m_columns = columns;
    ArrangeButtons();
}

void TsuiCheckGroup::SetTopMargin(int margin)
{
    if (margin < 0)
        return;
    m_topMargin = margin;
    ArrangeButtons();
}

TsuiCheckBox* TsuiCheckGroup::Button(int index) const
{
    return index >= 0 && index < ButtonCount() ? m_buttons[std::size_t(index)] : nullptr;
}

bool TsuiCheckGroup::Checked(int index) const
{
    const TsuiCheckBox* button = Button(index);
    return button != nullptr && button->Checked();
}

void TsuiCheckGroup::SetChecked(int index, bool value)
{
    if (TsuiCheckBox* button = Button(index))
        button->SetChecked(value);
}

void TsuiCheckGroup::SetTransparent(bool value)
{
    TsuiCustomGroupBox::SetTransparent(value);
    for (TsuiCheckBox* button : m_buttons)
        button->SetTransparent(value);
}

void TsuiCheckGroup::Click()
{
    DoClick();
}

void TsuiCheckGroup::DoClick()
{
    NewClick();
    // The group is the sender, whichever button was clicked.
    Fire(OnClick);
}

void TsuiCheckGroup::resizeEvent(QResizeEvent* event)
{
    TsuiCustomGroupBox::resizeEvent(event);
    ArrangeButtons();
}

// --- radio group -------------------------------------------------------------

TsuiRadioGroup::TsuiRadioGroup(QWidget* parent) : TsuiCheckGroup(parent)
{
    SetCaption(QStringLiteral("suiRadioGroup"));
}

TsuiCheckBox* TsuiRadioGroup::CreateAButton()
{
    return new TsuiRadioButton(this);
}

int TsuiRadioGroup::ItemIndex() const
{
    for (int i = 0; i < ButtonCount(); ++i)
        if (Button(i)->Checked())
            return i;
    return -1;
}

void TsuiRadioGroup::SetItemIndex(int index)
{
    if (index > int(Items().size()) - 1 || index < -1)
        return;
    if (index == -1) {
        for (int i = 0; i < ButtonCount(); ++i)
            Button(i)->SetChecked(false);
        return;
    }
    SetChecked(index, true);
}

void TsuiCheckGroup::UpdateUIStyle(TsuiUIStyle style)
{
    ApplyThemeColors(style, !ParentColor());
}
