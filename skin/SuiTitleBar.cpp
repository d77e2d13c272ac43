#include "skin/SuiTitleBar.h"

#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "framework/TForm.h"
#include "framework/TGbk.h"
#include "skin/Suipublic.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <QWindow>
#include <algorithm>

namespace {

TPicture SkinPicture(const QString& name)
{
    TPicture picture;
    picture.Assign(SkinBitmap(name));
    return picture;
}

} // namespace

// --- sections ----------------------------------------------------------------

TsuiTitleBarSection::TsuiTitleBarSection(TsuiTitleBarSectionCollection& collection) : m_collection(collection)
{
}

void TsuiTitleBarSection::SetAutoSize(bool value)
{
    m_autoSize = value;
    if (value && m_picture.HasGraphic())
        m_width = m_picture.Width();
    m_collection.Changed();
}

void TsuiTitleBarSection::SetWidth(int width)
{
    m_width = width;
    m_collection.Changed();
}

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign align)
{
    if (align == suiClient && m_align != suiClient) {
        for (int i = 0; i < m_collection.Count(); ++i)
            if (m_collection.Items(i).Align() == suiClient) {
                DialogService().ShowError(
                    QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""));
                return;
            }
    }
    m_align = align;
    if (align == suiClient)
        m_stretch = true;
    m_collection.Changed();
}

void TsuiTitleBarSection::SetPicture(const TPicture& picture)
{
    m_picture = picture;
    PictureChanged();
}

bool TsuiTitleBarSection::LoadPictureFromResourceName(const QString& name)
{
    m_picture = SkinPicture(name);
    PictureChanged();
    return m_picture.HasGraphic();
}

bool TsuiTitleBarSection::LoadPictureFromFile(const QString& path)
{
    const bool loaded = m_picture.LoadFromFile(path);
    PictureChanged();
    return loaded;
}

void TsuiTitleBarSection::PictureChanged()
{
    if (m_autoSize && m_picture.HasGraphic())
        m_width = m_picture.Width();
    m_collection.Changed();
}

void TsuiTitleBarSection::SetStretch(bool value)
{
    if (m_align == suiClient)
        value = true;
    m_stretch = value;
    m_collection.Changed();
}

void TsuiTitleBarSection::Assign(const TsuiTitleBarSection& other)
{
    m_width = other.m_width;
    m_align = other.m_align;
    m_picture = other.m_picture;
    m_stretch = other.m_stretch;
    m_autoSize = other.m_autoSize;
    m_collection.Changed();
}

// --- buttons -----------------------------------------------------------------

TsuiTitleBarButton::TsuiTitleBarButton(TsuiTitleBarButtonCollection& collection) : m_collection(collection) {}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType type)
{
    // Refused even for the control box itself.
    if (type == suiControlBox) {
        for (int i = 0; i < m_collection.Count(); ++i)
            if (m_collection.Items(i).ButtonType() == suiControlBox) {
                DialogService().ShowError(
                    QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\""));
                return;
            }
    }
    m_type = type;
    UpdateUIStyle(m_uiStyle);
    m_collection.Changed();
}

void TsuiTitleBarButton::SetTransparent(bool value)
{
    m_transparent = value;
    m_collection.Changed();
}

void TsuiTitleBarButton::SetTop(int top)
{
    m_top = top;
    m_collection.Changed();
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    UpdateUIStyle(style);
    m_collection.Changed();
}

void TsuiTitleBarButton::SetPicNormal(const TPicture& picture)
{
    m_picNormal = picture;
    m_collection.Changed();
}

void TsuiTitleBarButton::SetPicMouseOn(const TPicture& picture)
{
    m_picMouseOn = picture;
    m_collection.Changed();
}

void TsuiTitleBarButton::SetPicMouseDown(const TPicture& picture)
{
    m_picMouseDown = picture;
    m_collection.Changed();
}

bool TsuiTitleBarButton::LoadPictures(const QString& normal, const QString& mouseOn, const QString& mouseDown)
{
    bool loaded = m_picNormal.LoadFromFile(normal);
    loaded = m_picMouseOn.LoadFromFile(mouseOn) && loaded;
    loaded = m_picMouseDown.LoadFromFile(mouseDown) && loaded;
    m_collection.Changed();
    return loaded;
}

void TsuiTitleBarButton::LoadThemePictures(TsuiUIStyle style, const TsuiStateElements& pictures)
{
    m_picNormal = SkinPicture(GetThemeString(style, pictures.Normal));
    m_picMouseOn = SkinPicture(GetThemeString(style, pictures.MouseOn));
    m_picMouseDown = SkinPicture(GetThemeString(style, pictures.MouseDown));
}

void TsuiTitleBarButton::UpdateUIStyle(TsuiUIStyle style)
{
    if (style == Custom)
        return;
    m_transparent = GetThemeBool(style, teTitleButtonTransparent);
    switch (m_type) {
    case suiMax:
        LoadThemePictures(style, kTitleMaxElements);
        break;
    case suiMin:
        LoadThemePictures(style, kTitleMinElements);
        break;
    case suiClose:
        LoadThemePictures(style, kTitleCloseElements);
        break;
    case suiHelp:
        LoadThemePictures(style, kTitleHelpElements);
        break;
    case suiControlBox:
        LoadThemePictures(style, kTitleControlBoxElements);
        break;
    case suiCustom:
        return;
    }
    m_top = GetThemeInt(style, teTitleButtonTop);
    if (m_type == suiMax)
        ProcessMaxBtn();
}

void TsuiTitleBarButton::ProcessMaxBtn()
{
    if (m_uiStyle == Custom)
        return;
    const QWidget* window = m_collection.Owner().Form();
    const bool maximized = window != &m_collection.Owner() && window->isMaximized();
    LoadThemePictures(m_uiStyle, maximized ? kTitleRestoreElements : kTitleMaxElements);
}

void TsuiTitleBarButton::DoClick()
{
    TsuiTitleBar& bar = m_collection.Owner();
    QWidget* window = bar.Form();
    if (window == &bar)
        return;
    const TRect work = GetWorkAreaRect();
    window->setMaximumSize(work.Width(), work.Height());
    switch (m_type) {
    case suiMax:
        if (window->isMaximized()) {
            window->showNormal();
        } else {
            window->showMaximized();
            if (bar.InForm() && window->isWindow())
                window->move(work.Left, work.Top);
        }
        if (SuiLook(m_uiStyle).RestorePictures)
            ProcessMaxBtn();
        bar.OnFormReSize();
        break;
    case suiMin:
        // The main window takes the whole program down with it.
        if (window == ApplicationMainForm())
            MinimizeApplication();
        else
            window->showMinimized();
        break;
    case suiClose:
        window->close();
        break;
    case suiControlBox:
        if (m_controlBoxMenu)
            m_controlBoxMenu->popup(bar.mapToGlobal(QPoint(0, bar.height())));
        break;
    case suiHelp:
    case suiCustom:
        break;
    }
}

void TsuiTitleBarButton::Assign(const TsuiTitleBarButton& other)
{
    m_type = other.m_type;
    m_transparent = other.m_transparent;
    m_top = other.m_top;
    m_uiStyle = other.m_uiStyle;
    m_picNormal = other.m_picNormal;
    m_picMouseOn = other.m_picMouseOn;
    m_picMouseDown = other.m_picMouseDown;
    m_controlBoxMenu = other.m_controlBoxMenu;
    m_collection.Changed();
}

// --- the bar -----------------------------------------------------------------

TsuiTitleBar::TsuiTitleBar(QWidget* parent) : TControl(parent), m_sections(*this), m_buttons(*this)
{
    for (TsuiTitleBarBtnType type : {suiControlBox, suiClose, suiMax, suiMin})
        m_buttons.Add().SetButtonType(type);
    TFont font = Font();
    font.Name = QStringLiteral("Tahoma");
    font.Color = clWhite;
    font.Bold = true;
    SetFont(font);
    if (parent != nullptr) {
        parent->installEventFilter(this);
        m_watchedWindow = Form();
        if (m_watchedWindow != parent)
            m_watchedWindow->installEventFilter(this);
    }
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
    FollowParent();
}

void TsuiTitleBar::ItemsChanged()
{
    if (m_autoSize && m_sections.Count() > 0 && m_sections.Items(0).Picture().Height() > 0)
        resize(width(), m_sections.Items(0).Picture().Height());
    update();
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    m_sections.Clear();
    if (style == Custom) {
        update();
        return;
    }
    TsuiTitleBarSection& left = m_sections.Add();
    left.SetAutoSize(true);
    left.LoadPictureFromResourceName(GetThemeString(style, teTitleLeft));
    TsuiTitleBarSection& right = m_sections.Add();
    right.SetAutoSize(true);
    right.LoadPictureFromResourceName(GetThemeString(style, teTitleRight));
    right.SetAlign(suiRight);
    TsuiTitleBarSection& client = m_sections.Add();
    client.LoadPictureFromResourceName(GetThemeString(style, teTitleClient));
    client.SetAlign(suiClient);

    m_leftBtnXOffset = GetThemeInt(style, teTitleLeftBtnXOffset);
    m_rightBtnXOffset = GetThemeInt(style, teTitleRightBtnXOffset);
    if (Form() != this)
        Form()->setMinimumWidth(GetThemeInt(style, teFormMinWidth));
    m_cornerRadius = GetThemeInt(style, teFormCornerRadius);
    OnFormReSize();
    for (int i = 0; i < m_buttons.Count(); ++i)
        m_buttons.Items(i).SetUIStyle(style);
    SetAutoSize(true);
}

void TsuiTitleBar::SetAutoSize(bool value)
{
    m_autoSize = m_sections.Count() > 0 && value;
    if (m_sections.Count() > 0 && m_sections.Items(0).Picture().Height() > 0)
        resize(width(), m_sections.Items(0).Picture().Height());
    update();
}

void TsuiTitleBar::SetButtonInterval(int value)
{
    m_buttonInterval = value;
    update();
}

void TsuiTitleBar::SetFormActive(bool value)
{
    m_formActive = value;
    update();
}

void TsuiTitleBar::SetLeftBtnXOffset(int value)
{
    m_leftBtnXOffset = value;
    update();
}

void TsuiTitleBar::SetRightBtnXOffset(int value)
{
    m_rightBtnXOffset = value;
    update();
}

void TsuiTitleBar::SetDrawAppIcon(bool value)
{
    m_drawAppIcon = value;
    update();
}

std::vector<TsuiTitleBar::ButtonPlace> TsuiTitleBar::ButtonPlaces() const
{
    std::vector<ButtonPlace> places;
    int x = width() + m_rightBtnXOffset + 1;
    int controlBox = -1;
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TsuiTitleBarButton& button = m_buttons.Items(i);
        if (button.ButtonType() == suiControlBox) {
            controlBox = i;
            continue;
        }
        const TPicture& picture = button.PicNormal();
        x -= picture.Width() + m_buttonInterval + 1;
        places.push_back({i, Bounds(x, button.Top(), picture.Width(), picture.Height())});
    }
    if (controlBox >= 0) {
        const TsuiTitleBarButton& button = m_buttons.Items(controlBox);
        const TPicture& picture = button.PicNormal();
        places.push_back(
            {controlBox, Bounds(m_leftBtnXOffset, button.Top(), picture.Width(), picture.Height())});
    }
    return places;
}

int TsuiTitleBar::ButtonAt(int x, int y) const
{
    for (const ButtonPlace& place : ButtonPlaces())
        if (!place.Rect.IsEmpty() && InRect(x, y, place.Rect))
            return place.Index;
    return -1;
}

int TsuiTitleBar::CaptionLeft() const
{
    int left = m_leftBtnXOffset;
    for (int i = 0; i < m_buttons.Count(); ++i)
        if (m_buttons.Items(i).ButtonType() == suiControlBox) {
            left += m_drawAppIcon ? 21 : m_buttons.Items(i).PicNormal().Width() + 5;
            break;
        }
    return left == 0 ? 6 : left;
}

int TsuiTitleBar::CaptionRight() const
{
    // Where the first right-hand button would end.
    int right = width() + m_rightBtnXOffset + 1;
    for (const ButtonPlace& place : ButtonPlaces())
        if (m_buttons.Items(place.Index).ButtonType() != suiControlBox)
            right = std::min(right, place.Rect.Left);
    return right;
}

QString TsuiTitleBar::VisibleCaption(TCanvas& canvas) const
{
    const QString caption = Caption();
    if (canvas.TextWidth(caption) <= CaptionRight() - CaptionLeft())
        return caption;
    // Two ANSI bytes: one Chinese character or two Latin ones.
    QString head;
    std::size_t bytes = 0;
    for (const QChar c : caption) {
        bytes += ToGbk(QString(c)).size();
        if (bytes > 2)
            break;
        head += c;
    }
    return head + QStringLiteral("...");
}

void TsuiTitleBar::Paint(TCanvas& canvas)
{
    canvas.Brush.Style = bsClear;
    canvas.Font = Font();
    DrawSectionsTo(canvas);
    DrawButtons(canvas);
    DrawCaption(canvas);
}

void TsuiTitleBar::DrawSectionsTo(TCanvas& canvas)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    int left = -1;
    int right = w + 1;
    const TsuiTitleBarSection* client = nullptr;
    auto draw = [&](const TsuiTitleBarSection& section, const TRect& dest) {
        const TBitmap& picture = section.Picture().Bitmap();
        if (picture.Empty())
            return;
        if (section.Stretch())
            canvas.StretchDraw(dest, picture);
        else {
            const int cw = std::min(dest.Width(), picture.Width());
            const int ch = std::min(dest.Height(), picture.Height());
            canvas.DrawBitmap(Bounds(dest.Left, dest.Top, cw, ch), picture, Rect(0, 0, cw, ch));
        }
    };
    for (int i = 0; i < m_sections.Count(); ++i) {
        const TsuiTitleBarSection& section = m_sections.Items(i);
        switch (section.Align()) {
        case suiLeft:
            draw(section, Rect(left + 1, 0, left + 1 + section.Width(), h));
            left += section.Width();
            break;
        case suiRight:
            if (w - left >= section.Width()) {
                draw(section, Rect(right - section.Width() - 1, 0, right - 1, h));
                right -= section.Width();
            }
            break;
        case suiClient:
            client = &section;
            break;
        }
    }
    if (client != nullptr && !client->Picture().Bitmap().Empty())
        canvas.StretchDraw(Rect(left + 1, 0, right - 1, h), client->Picture().Bitmap());
}

bool TsuiTitleBar::InForm() const
{
    return parentWidget() != nullptr && dynamic_cast<TsuiStyledForm*>(parentWidget()) != nullptr;
}

QWidget* TsuiTitleBar::Form() const
{
    if (!InForm() || parentWidget()->parentWidget() == nullptr)
        return window();
    QWidget* form = parentWidget()->parentWidget();
    if (auto* child = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return child;
    return form;
}

bool TsuiTitleBar::WindowMaximized() const
{
    return Form() != this && Form()->isMaximized();
}

const TPicture& TsuiTitleBar::StatePicture(int index, const TsuiTitleBarButton& button) const
{
    // Whichever button is under the cursor shows pressed while the mouse is
    // down, as a release there clicks it.
    if (ButtonAt(m_hover.X, m_hover.Y) != index)
        return button.PicNormal();
    return m_mouseDown ? button.PicMouseDown() : button.PicMouseOn();
}

void TsuiTitleBar::DrawButtons(TCanvas& canvas)
{
    for (const ButtonPlace& place : ButtonPlaces()) {
        const TsuiTitleBarButton& button = m_buttons.Items(place.Index);
        if (button.ButtonType() == suiControlBox && m_drawAppIcon) {
            const TBitmap& icon = SkinBitmap(QStringLiteral("MAINICON"));
            canvas.DrawBitmap(Bounds(place.Rect.Left + 3, place.Rect.Top, 16, 16), icon, Rect(0, 0, 16, 16));
            continue;
        }
        const TBitmap& picture = StatePicture(place.Index, button).Bitmap();
        if (picture.Empty())
            continue;
        const TRect whole = Rect(0, 0, picture.Width(), picture.Height());
        std::optional<TColor> key;
        if (button.Transparent())
            key = picture.TransparentColor();
        canvas.DrawBitmap(Bounds(place.Rect.Left, place.Rect.Top, picture.Width(), picture.Height()), picture,
                          whole, key);
    }
}

void TsuiTitleBar::DrawCaption(TCanvas& canvas)
{
    TColor color = Font().Color;
    if (!m_formActive)
        color = clInactiveCaption;
    if (SuiLook(m_uiStyle).BlackCaption)
        color = clBlack;
    canvas.Font.Color = color;
    canvas.Brush.Style = bsClear;
    const QString text = VisibleCaption(canvas);
    const int top = SuiLook(m_uiStyle).CaptionTop;
    const int y = top >= 0 ? top : (canvas.Height() - canvas.TextHeight(text)) / 2;
    canvas.TextOut(CaptionLeft(), y, text);
}

void TsuiTitleBar::SetFormRoundCorner(int radius)
{
    QWidget* form = Form();
    if (form == this)
        return;
    if (radius <= 0) {
        form->clearMask();
        return;
    }
    const QRect r = form->rect();
    QPainterPath path;
    path.addRoundedRect(QRectF(r.left(), r.top(), r.width() + 1, r.height() + 1), radius / 2.0, radius / 2.0);
    QRegion region(path.toFillPolygon().toPolygon());
    // Only the top corners stay round.
    region += QRegion(r.left(), r.bottom() - 2 * radius, 2 * radius, 2 * radius + 1);
    region += QRegion(r.right() - 2 * radius, r.bottom() - 2 * radius, 2 * radius + 1, 2 * radius + 1);
    form->setMask(region);
}

void TsuiTitleBar::OnFormReSize()
{
    // Only a skinned frame's window is rounded; a bar alone leaves its window as it is.
    if (InForm())
        SetFormRoundCorner(m_cornerRadius);
}

void TsuiTitleBar::FollowParent()
{
    if (QWidget* parent = parentWidget())
        setGeometry(0, y(), parent->width(), height());
}

bool TsuiTitleBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        FollowParent();
    if (watched == m_watchedWindow) {
        switch (event->type()) {
        case QEvent::Resize:
            OnFormReSize();
            break;
        case QEvent::WindowStateChange:
            for (int i = 0; i < m_buttons.Count(); ++i)
                if (m_buttons.Items(i).ButtonType() == suiMax)
                    m_buttons.Items(i).ProcessMaxBtn();
            update();
            break;
        default:
            break;
        }
    }
    return TControl::eventFilter(watched, event);
}

bool TsuiTitleBar::StartWindowDrag(int x, int y)
{
    QWidget* form = Form();
    if (form == this)
        return false;
    if (form->isWindow())
        if (QWindow* handle = form->windowHandle())
            if (handle->startSystemMove())
                return true;
    // No window manager to move us (offscreen, bare X): follow the mouse ourselves.
    m_dragging = true;
    m_dragStart = mapToGlobal(QPoint(x, y));
    m_windowStart = form->pos();
    return false;
}

void TsuiTitleBar::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    m_mouseDown = true;
    m_hover = {x, y};
    update();
    if (ButtonAt(x, y) < 0 && !WindowMaximized()) {
        // The window moves with the mouse; the release ends the move, not a click.
        StartWindowDrag(x, y);
        m_mouseDown = false;
    }
}

void TsuiTitleBar::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseMove(shift, x, y);
    m_hover = {x, y};
    if (m_dragging) {
        Form()->move(m_windowStart + mapToGlobal(QPoint(x, y)) - m_dragStart);
        return;
    }
    update();
}

void TsuiTitleBar::MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseUp(button, shift, x, y);
    if (button != mbLeft)
        return;
    const bool dragged = m_dragging;
    const bool wasDown = m_mouseDown;
    m_dragging = false;
    m_mouseDown = false;
    m_hover = {x, y};
    update();
    if (dragged || !wasDown)
        return;
    // The button under the cursor at release is clicked, wherever the press was.
    const int index = ButtonAt(x, y);
    if (index < 0)
        return;
    TsuiTitleBarButton& clicked = m_buttons.Items(index);
    const TsuiTitleBarBtnType type = clicked.ButtonType();
    RunGuarded([&] { clicked.DoClick(); });
    if (type == suiCustom && OnCustomBtnsClick)
        RunGuarded([&] { OnCustomBtnsClick(this, index); });
    else if (type == suiHelp && OnHelpBtnClick)
        RunGuarded([&] { OnHelpBtnClick(this, index); });
}

void TsuiTitleBar::MouseLeave()
{
    TControl::MouseLeave();
    m_hover = {-1, -1};
    update();
}

void TsuiTitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || ButtonAt(p.x(), p.y()) >= 0) {
        // On a button a double click is just a second press.
        TControl::mouseDoubleClickEvent(event);
        return;
    }
    for (int i = 0; i < m_buttons.Count(); ++i)
        if (m_buttons.Items(i).ButtonType() == suiMax) {
            TsuiTitleBarButton& button = m_buttons.Items(i);
            RunGuarded([&] { button.DoClick(); });
            return;
        }
}
