#include "skin/SuiButton.h"

#include "framework/TAccessible.h"
#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "framework/TForm.h"
#include "framework/TImageList.h"
#include "framework/TPictureCache.h"
#include "skin/Suipublic.h"

#include <QAction>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

namespace {

bool IsActivationKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

TRect Offset(const TRect& r, int dx, int dy)
{
    return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

// Text of a disabled button: a white shadow one pixel down and right under
// the grey text.
void DrawEmbossed(TCanvas& canvas, const QString& text, const TRect& rect, unsigned flags)
{
    canvas.Font.Color = clWhite;
    canvas.DrawText(text, Offset(rect, 1, 1), flags);
    canvas.Font.Color = clGray;
    canvas.DrawText(text, rect, flags);
}

// Image `index` of `picture` cut into cells of `width` x `height`, masked by
// its top-left colour when `masked`, as an image list draws it. The cell is
// cut, masked (and greyed) once per picture and state, then kept.
void DrawListImage(TCanvas& canvas, const TBitmap& picture, int width, int height, bool masked, TPoint at,
                   int index, bool enabled)
{
    TPictureKey key;
    key.Name = QStringLiteral("image list cell");
    key.Source = picture.Image().cacheKey();
    // At ratio 1 the cell comes from the 1x picture alone.
    key.Source2 = canvas.Ratio() > 1 ? picture.HiRes().cacheKey() : 0;
    key.Size = QSize(width, height);
    key.State = index * 4 + (masked ? 2 : 0) + (enabled ? 1 : 0);
    key.Ratio = canvas.Ratio();
    TImageList list(width, height);
    const QImage shown = PictureCache().Derived(key, [&] {
        if (masked)
            list.AddMasked(picture, picture.Pixel(0, 0));
        else
            list.Add(picture);
        return list.Shown(index, enabled, canvas.Ratio());
    });
    list.DrawShown(canvas, at.X, at.Y, shown);
}

} // namespace

TsuiCustomButton::TsuiCustomButton(QWidget* parent)
    : TControl(parent), m_bmpNormal(LoadStatePicture(QString())), m_bmpMouseOn(m_bmpNormal),
      m_bmpMouseDown(m_bmpNormal), m_repeat(new QTimer(this)), m_accelerator(new QShortcut(this))
{
    SetParentColor(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_repeat, &QTimer::timeout, this, [this] { Fire(OnMouseContinuouslyDown); });
    connect(m_accelerator, &QShortcut::activated, this, [this] { Accelerate(); });
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    SetButtonPic(style);
    UIStyleChanged();
    update();
}

void TsuiCustomButton::SetAutoSize(bool value)
{
    m_autoSize = value;
    AutoSizeChanged();
    update();
}

void TsuiCustomButton::SetTransparent(bool value)
{
    m_transparent = value;
    TransparentChanged();
    update();
}

void TsuiCustomButton::SetTabStop(bool value)
{
    m_tabStop = value;
    // Without a tab stop the button still takes the focus when clicked.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
    update();
}

void TsuiCustomButton::SetDefault(bool value)
{
    m_default = value;
    if (value && m_enterKey == nullptr) {
        m_enterKey = new QShortcut(this);
        m_enterKey->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
        connect(m_enterKey, &QShortcut::activated, this, [this] { DialogKey(true); });
    }
    if (m_enterKey != nullptr)
        m_enterKey->setEnabled(value);
}

void TsuiCustomButton::SetCancel(bool value)
{
    m_cancel = value;
    if (value && m_escapeKey == nullptr) {
        m_escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(m_escapeKey, &QShortcut::activated, this, [this] { DialogKey(false); });
    }
    if (m_escapeKey != nullptr)
        m_escapeKey->setEnabled(value);
}

void TsuiCustomButton::UIStyleChanged()
{
    if (m_uiStyle == Custom)
        SetAutoSize(true);
}

void TsuiCustomButton::AutoSizeChanged()
{
    if (!m_autoSize || m_picNormal.isEmpty())
        return;
    resize(m_bmpNormal.Width(), m_bmpNormal.Height());
}

void TsuiCustomButton::TransparentChanged()
{
    m_picTransparent = m_transparent;
}

// The pictures are loaded here, when a name or the module changes, never
// while painting.
void TsuiCustomButton::SetPicNormal(const QString& name)
{
    m_picNormal = name;
    m_bmpNormal = LoadStatePicture(name);
    AutoSizeChanged();
    update();
}

void TsuiCustomButton::SetPicMouseOn(const QString& name)
{
    m_picMouseOn = name;
    m_bmpMouseOn = LoadStatePicture(name);
    update();
}

void TsuiCustomButton::SetPicMouseDown(const QString& name)
{
    m_picMouseDown = name;
    m_bmpMouseDown = LoadStatePicture(name);
    update();
}

void TsuiCustomButton::SetResHandle(TResHandle module)
{
    if (module == m_resHandle)
        return;
    m_resHandle = module;
    m_bmpNormal = LoadStatePicture(m_picNormal);
    m_bmpMouseOn = LoadStatePicture(m_picMouseOn);
    m_bmpMouseDown = LoadStatePicture(m_picMouseDown);
    update();
}

TBitmap TsuiCustomButton::LoadStatePicture(const QString& name) const
{
    TBitmap picture = LoadModuleBitmap(m_resHandle, name);
    if (picture.Empty()) {
        picture = TBitmap(74, 21);
        picture.EditImage().fill(Qt::white);
    }
    return picture;
}

TBitmap TsuiCustomButton::PaintButtonNormal()
{
    return m_bmpNormal.Empty() ? LoadStatePicture(QString()) : m_bmpNormal;
}

TBitmap TsuiCustomButton::PaintButtonMouseOn()
{
    return m_bmpMouseOn.Empty() ? LoadStatePicture(QString()) : m_bmpMouseOn;
}

TBitmap TsuiCustomButton::PaintButtonMouseDown()
{
    return m_bmpMouseDown.Empty() ? LoadStatePicture(QString()) : m_bmpMouseDown;
}

TBitmap TsuiCustomButton::PaintButtonDisabled()
{
    return PaintButtonNormal();
}

void TsuiCustomButton::Click()
{
    if (parentWidget() != nullptr)
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(m_modalResult);
    if (OnClick || !m_action)
        TControl::Click();
    else
        RunGuarded([&] { m_action->trigger(); });
}

void TsuiCustomButton::SetAction(QAction* action)
{
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (action == nullptr)
        return;
    connect(action, &QAction::changed, this, [this] { ActionChange(); });
    ActionChange();
}

void TsuiCustomButton::ActionChange()
{
    if (!m_action)
        return;
    SetEnabled(m_action->isEnabled());
    SetVisible(m_action->isVisible());
    setToolTip(m_action->toolTip());
    SetCaption(m_action->text());
}

void TsuiCustomButton::Paint(TCanvas& canvas)
{
    TBitmap picture;
    if (!Enabled())
        picture = PaintButtonDisabled();
    else if (m_pressed)
        picture = PaintButtonMouseDown();
    else if (m_mouseOver)
        picture = PaintButtonMouseOn();
    else
        picture = PaintButtonNormal();
    picture.SetTransparent(m_picTransparent);

    // The canvas arrives filled with Color().
    if (m_transparent)
        DoTrans(canvas, this);
    canvas.Font = Font();
    PaintPic(canvas, picture);
    if (hasFocus() && m_tabStop)
        PaintFocus(canvas);
    canvas.Font = Font();
    if (!Caption().trimmed().isEmpty())
        PaintText(canvas, Caption());
}

void TsuiCustomButton::PaintPic(TCanvas& canvas, const TBitmap& picture)
{
    if (picture.Empty())
        return;
    DrawListImage(canvas, picture, picture.Width(), picture.Height(), m_picTransparent, {0, 0}, 0, Enabled());
}

void TsuiCustomButton::PaintText(TCanvas& canvas, const QString& text)
{
    canvas.Brush.Style = bsClear;
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    TRect rect = ClientRect();
    if (!Enabled()) {
        DrawEmbossed(canvas, text, rect, flags);
        return;
    }
    if (m_pressed)
        rect = Offset(rect, 1, 1);
    canvas.DrawText(text, rect, flags);
}

void TsuiCustomButton::PaintFocus(TCanvas& canvas)
{
    canvas.DrawFocusRect(Rect(2, 2, width() - 2, height() - 2));
}

void TsuiCustomButton::StopRepeat()
{
    m_repeat->stop();
}

void TsuiCustomButton::Accelerate()
{
    if (!Enabled() || !isVisible())
        return;
    setFocus(Qt::ShortcutFocusReason);
    Click();
}

void TsuiCustomButton::DialogKey(bool enter)
{
    if ((enter ? m_default : m_cancel) && Enabled() && isVisible())
        Click();
}

void TsuiCustomButton::CaptionChanged()
{
    m_accelerator->setKey(QKeySequence::mnemonic(Caption()));
    update();
}

void TsuiCustomButton::MouseEnter()
{
    m_mouseOver = true;
    update();
    TControl::MouseEnter();
}

void TsuiCustomButton::MouseLeave()
{
    m_mouseOver = false;
    m_pressed = false;
    StopRepeat();
    update();
    TControl::MouseLeave();
    Fire(OnMouseExit);
}

void TsuiCustomButton::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == mbLeft) {
        m_pressed = true;
        if (!m_repeat->isActive())
            m_repeat->start(std::max(m_repeatInterval, 0));
        update();
    }
    TControl::MouseDown(button, shift, x, y);
}

void TsuiCustomButton::MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button == mbLeft) {
        StopRepeat();
        m_pressed = false;
        update();
    }
    TControl::MouseUp(button, shift, x, y);
}

void TsuiCustomButton::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseMove(shift, x, y);
    // The mouse stays grabbed while a button is held, so leaving the control
    // shows up here rather than as a leave event.
    const bool inside = InRect(x, y, ClientRect());
    if (!inside && (m_mouseOver || m_pressed)) {
        m_mouseOver = false;
        m_pressed = false;
        StopRepeat();
        update();
    } else if (inside && !m_mouseOver) {
        m_mouseOver = true;
        update();
    }
}

bool TsuiCustomButton::event(QEvent* event)
{
    // The focused button keeps Space and Enter for itself, ahead of any
    // window-wide Enter of a default button.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsActivationKey(key->key()) && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return TControl::event(event);
}

void TsuiCustomButton::keyPressEvent(QKeyEvent* event)
{
    if (!IsActivationKey(event->key())) {
        TControl::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && Enabled()) {
        m_pressed = true;
        update();
    }
    event->accept();
}

void TsuiCustomButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!IsActivationKey(event->key())) {
        TControl::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !m_pressed || !Enabled())
        return;
    m_pressed = false;
    update();
    Click();
}

void TsuiCustomButton::focusInEvent(QFocusEvent* event)
{
    TControl::focusInEvent(event);
    update();
}

void TsuiCustomButton::focusOutEvent(QFocusEvent* event)
{
    TControl::focusOutEvent(event);
    // A key held while the focus moves away must not click later.
    m_pressed = false;
    update();
}

// --- TsuiButton -------------------------------------------------------------

TsuiButton::TsuiButton(QWidget* parent) : TsuiCustomButton(parent)
{
    resize(80, 27);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
}

QString TsuiButton::PicNormalResName() const
{
    return UIStyle() == Custom ? PicNormalName() : QString();
}

QString TsuiButton::PicMouseOnResName() const
{
    return UIStyle() == Custom ? PicMouseOnName() : QString();
}

QString TsuiButton::PicMouseDownResName() const
{
    return UIStyle() == Custom ? PicMouseDownName() : QString();
}

void TsuiButton::SetPicNormalResName(const QString& name)
{
    SetUIStyle(Custom);
    SetPicNormal(name);
}

void TsuiButton::SetPicMouseOnResName(const QString& name)
{
    SetUIStyle(Custom);
    SetPicMouseOn(name);
}

void TsuiButton::SetPicMouseDownResName(const QString& name)
{
    SetUIStyle(Custom);
    SetPicMouseDown(name);
}

void TsuiButton::SetGlyph(const TBitmap& glyph)
{
    m_glyph = glyph;
    update();
}

void TsuiButton::SetLayout(TButtonLayout layout)
{
    m_layout = layout;
    update();
}

void TsuiButton::SetSpacing(int spacing)
{
    m_spacing = spacing;
    update();
}

void TsuiButton::SetButtonPic(TsuiUIStyle style)
{
    if (style == Custom)
        return;
    // The theme's pictures are the program's own, whatever module was set.
    SetResHandle(0);
    SetPicNormal(GetThemeString(style, kButtonElements.Normal));
    SetPicMouseOn(GetThemeString(style, kButtonElements.MouseOn));
    SetPicMouseDown(GetThemeString(style, kButtonElements.MouseDown));
}

void TsuiButton::UIStyleChanged()
{
    TsuiCustomButton::UIStyleChanged();
    // Some looks' buttons keep the height of their bitmap.
    if (SuiLook(UIStyle()).ButtonHeight > 0) {
        setFixedHeight(SuiLook(UIStyle()).ButtonHeight);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
    SetTransparent(SuiLook(UIStyle()).ButtonTransparent);
}

void TsuiButton::PaintPic(TCanvas& canvas, const TBitmap& picture)
{
    if (UIStyle() == Custom)
        TsuiCustomButton::PaintPic(canvas, picture);
    else
        SpitDraw(picture, canvas, ClientRect(), PictureTransparent());
    if (m_glyph.Empty())
        return;

    const QString text = StripAccelerators(Caption());
    const int tw = text.isEmpty() ? 0 : canvas.TextWidth(text);
    const int th = text.isEmpty() ? 0 : canvas.TextHeight(text);
    const bool twoImages = m_glyph.Width() == 2 * m_glyph.Height();
    const int gh = m_glyph.Height();
    const int gw = twoImages ? gh : m_glyph.Width();
    const int s = m_spacing;
    const int w = width();
    const int h = height();
    TPoint glyph;
    switch (m_layout) {
    case blGlyphLeft:
        glyph = {(w - tw - gw - s) / 2, (h - gh) / 2};
        m_captionPos = {glyph.X + gw + s, (h - th) / 2};
        break;
    case blGlyphRight:
        glyph = {(w + tw + s - gw) / 2, (h - gh) / 2};
        m_captionPos = {glyph.X - tw - s, (h - th) / 2};
        break;
    case blGlyphTop:
        glyph = {(w - gw) / 2, (h - th - gh - s) / 2};
        m_captionPos = {(w - tw) / 2, glyph.Y + gh + s};
        break;
    case blGlyphBottom:
        glyph = {(w - gw) / 2, (h + th + s - gh) / 2};
        m_captionPos = {(w - tw) / 2, glyph.Y - th - s};
        break;
    }
    if (Pressed())
        glyph = {glyph.X + 1, glyph.Y + 1};

    if (twoImages)
        DrawListImage(canvas, m_glyph, gw, gh, true, glyph, Enabled() ? 0 : 1, true);
    else
        DrawListImage(canvas, m_glyph, gw, gh, true, glyph, 0, Enabled());
}

void TsuiButton::PaintText(TCanvas& canvas, const QString& text)
{
    if (m_glyph.Empty()) {
        TsuiCustomButton::PaintText(canvas, text);
        return;
    }
    canvas.Brush.Style = bsClear;
    TPoint pos = m_captionPos;
    if (Pressed())
        pos = {pos.X + 1, pos.Y + 1};
    const TRect rect = Rect(pos.X, pos.Y, width(), height());
    if (!Enabled())
        DrawEmbossed(canvas, text, rect, DT_SINGLELINE);
    else
        canvas.DrawText(text, rect, DT_SINGLELINE);
}

void TsuiButton::PaintFocus(TCanvas& canvas)
{
    if (!SuiLook(UIStyle()).ButtonFocusLine) {
        TsuiCustomButton::PaintFocus(canvas);
        return;
    }
    canvas.Pen = {clBlue, 1, psSolid};
    canvas.MoveTo(10, height() - 5);
    canvas.LineTo(width() - 10, height() - 5);
}

void TsuiButton::ActionChange()
{
    TsuiCustomButton::ActionChange();
    if (Action() == nullptr || !m_glyph.Empty())
        return;
    const QIcon icon = Action()->icon();
    if (icon.isNull())
        return;
    const QList<QSize> sizes = icon.availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
    SetGlyph(TBitmap(icon.pixmap(size).toImage()));
}

// --- TsuiImageButton ---------------------------------------------------------

TsuiImageButton::TsuiImageButton(QWidget* parent) : TsuiCustomButton(parent) {}

void TsuiImageButton::SetPicture(TPicture& slot, const TPicture& picture)
{
    slot = picture;
    AutoSizeChanged();
    update();
}

void TsuiImageButton::SetPicNormal(const TPicture& picture)
{
    SetPicture(m_picNormal, picture);
}

void TsuiImageButton::SetPicMouseOn(const TPicture& picture)
{
    SetPicture(m_picMouseOn, picture);
}

void TsuiImageButton::SetPicMouseDown(const TPicture& picture)
{
    SetPicture(m_picMouseDown, picture);
}

void TsuiImageButton::SetPicDisabled(const TPicture& picture)
{
    SetPicture(m_picDisabled, picture);
}

void TsuiImageButton::SetStretch(bool value)
{
    m_stretch = value;
    update();
}

void TsuiImageButton::AutoSizeChanged()
{
    if (parentWidget() != nullptr && AutoSize() && m_picNormal.HasGraphic())
        resize(m_picNormal.Width(), m_picNormal.Height());
}

TBitmap TsuiImageButton::StateOrNormal(const TPicture& picture) const
{
    return picture.HasGraphic() ? picture.Bitmap() : m_picNormal.Bitmap();
}

TBitmap TsuiImageButton::PaintButtonNormal()
{
    return m_picNormal.Bitmap();
}

TBitmap TsuiImageButton::PaintButtonMouseOn()
{
    return StateOrNormal(m_picMouseOn);
}

TBitmap TsuiImageButton::PaintButtonMouseDown()
{
    return StateOrNormal(m_picMouseDown);
}

TBitmap TsuiImageButton::PaintButtonDisabled()
{
    return StateOrNormal(m_picDisabled);
}

void TsuiImageButton::PaintPic(TCanvas& canvas, const TBitmap& picture)
{
    if (picture.Empty())
        return;
    TBitmap keyed = picture;
    keyed.SetTransparentColor(picture.Pixel(0, 0));
    if (m_stretch)
        canvas.StretchDraw(Rect(0, 0, width(), height()), keyed);
    else
        canvas.Draw(0, 0, keyed);
}

// --- two-state controls ------------------------------------------------------

TsuiCustomButtonEx::TsuiCustomButtonEx(QWidget* parent) : TsuiCustomButton(parent)
{
    SetParentColor(true);
    SetTabStop(true);
    resize(93, height());
}

void TsuiCustomButtonEx::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    m_checked = value;
    CheckStateChanged();
    update();
    QAccessible::State changed;
    changed.checked = true;
    AnnounceStateChange(this, changed);
}

TRect TsuiCustomButtonEx::CaptionArea() const
{
    const int textHeight = Font().PixelHeight() + 2;
    return Rect(GetPicWidth() + 4, (height() - textHeight) / 2, width(), height());
}

void TsuiCustomButtonEx::Click()
{
    if (focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::MouseFocusReason);
    DoClick();
    TsuiCustomButton::Click();
}

void TsuiCustomButtonEx::UIStyleChanged()
{
    SetButtonPic(UIStyle());
}

void TsuiCustomButtonEx::AutoSizeChanged()
{
    // Resizing re-enters through resizeEvent; one pass is enough.
    if (!AutoSize() || m_sizing)
        return;
    m_sizing = true;
    const int textWidth = MeasureTextWidth(Font(), StripAccelerators(Caption()));
    resize(GetPicWidth() + textWidth + 8, std::max(Font().PixelHeight() + 2, GetPicHeight()) + 4);
    m_sizing = false;
}

void TsuiCustomButtonEx::CaptionChanged()
{
    TsuiCustomButton::CaptionChanged();
    AutoSizeChanged();
}

void TsuiCustomButtonEx::FontChanged()
{
    TsuiCustomButton::FontChanged();
    AutoSizeChanged();
}

void TsuiCustomButtonEx::resizeEvent(QResizeEvent* event)
{
    TsuiCustomButton::resizeEvent(event);
    AutoSizeChanged();
}

void TsuiCustomButtonEx::PaintPic(TCanvas& canvas, const TBitmap& picture)
{
    if (picture.Empty())
        return;
    DrawListImage(canvas, picture, picture.Width(), picture.Height(), PictureTransparent(),
                  {1, (height() - picture.Height()) / 2}, 0, true);
}

void TsuiCustomButtonEx::PaintText(TCanvas& canvas, const QString& text)
{
    canvas.Brush.Style = bsClear;
    if (!Enabled())
        canvas.Font.Color = clGray;
    canvas.DrawText(text, CaptionArea(), DT_LEFT | DT_SINGLELINE);
}

void TsuiCustomButtonEx::PaintFocus(TCanvas& canvas)
{
    TRect area = CaptionArea();
    area.Left -= 1;
    canvas.DrawFocusRect(area);
}

// --- check box ---------------------------------------------------------------

TsuiCheckBox::TsuiCheckBox(QWidget* parent) : TsuiCustomButtonEx(parent)
{
    SetPictureTransparent(false);
    SetCaption(QStringLiteral("suiCheckBox"));
    resize(width(), 17);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
}

void TsuiCheckBox::SetButtonPic(TsuiUIStyle style)
{
    const TsuiCheckElements& pictures = PictureElements();
    const bool checked = Checked();
    SetResHandle(0);
    SetPicNormal(GetThemeString(style, (Enabled() ? pictures.Normal : pictures.Disabled).For(checked)));
    SetPicMouseOn(GetThemeString(style, pictures.MouseOn.For(checked)));
    SetPicMouseDown(GetThemeString(style, pictures.MouseDown.For(checked)));
    // The caption sits beside the unchecked check box picture of the style.
    const TBitmap measure = LoadSkinBitmap(GetThemeString(style, teCheckBoxUnchecked));
    m_picSize = style == Custom ? QSize(0, 0) : QSize(measure.Width(), measure.Height());
}

void TsuiCheckBox::UIStyleChanged()
{
    TsuiCustomButtonEx::UIStyleChanged();
    if (UIStyle() != Custom)
        SetTransparent(SuiLook(UIStyle()).CheckBoxTransparent);
    AutoSizeChanged();
}

void TsuiCheckBox::TransparentChanged()
{
    SetPictureTransparent(false);
}

void TsuiCheckBox::CheckStateChanged()
{
    SetButtonPic(UIStyle());
}

void TsuiCheckBox::EnabledChanged()
{
    SetButtonPic(UIStyle());
    TsuiCustomButtonEx::EnabledChanged();
}

void TsuiCheckBox::DoClick()
{
    SetChecked(!Checked());
    Toggle();
}

// --- radio button ------------------------------------------------------------

// The check box's container rule reaches radio buttons too.
TsuiRadioButton::TsuiRadioButton(QWidget* parent) : TsuiCheckBox(parent)
{
    SetPictureTransparent(true);
    SetCaption(QStringLiteral("suiRadioButton"));
    SetButtonPic(UIStyle());
}

void TsuiRadioButton::TransparentChanged()
{
    SetPictureTransparent(true);
}

void TsuiRadioButton::CheckStateChanged()
{
    if (Checked() && parentWidget() != nullptr)
        for (QObject* child : parentWidget()->children()) {
            auto* other = qobject_cast<TsuiRadioButton*>(child);
            if (other != nullptr && other != this && other->GroupIndex() == m_groupIndex)
                other->SetChecked(false);
        }
    TsuiCheckBox::CheckStateChanged();
}

void TsuiRadioButton::DoClick()
{
    if (!Checked())
        SetChecked(true);
}
