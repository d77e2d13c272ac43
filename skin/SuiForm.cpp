#include "skin/SuiForm.h"

#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiImagePanel.h"
#include "skin/SuiMainMenu.h"
#include "skin/Suipublic.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <functional>
#include <stdexcept>

namespace {

// Refuses a second frame before this one builds anything.
QWidget* CheckSingle(QWidget* form, const QObject* self)
{
    if (form != nullptr)
        for (QObject* child : form->children())
            if (child != self && dynamic_cast<TsuiForm*>(child) != nullptr)
                throw std::runtime_error("Sorry, You can create only one TsuiForm component in one form!");
    return form;
}

// Sees every event of the program for one frame: its key hook and its
// resize zones. Apart from the frame's own filter on its window, so that no
// event of the window is handled twice.
class TAppEventFilter : public QObject
{
public:
    TAppEventFilter(QObject* parent, std::function<bool(QObject*, QEvent*)> filter)
        : QObject(parent), m_filter(std::move(filter))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_filter(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> m_filter;
};

// Shared by every frame of the program.
int& SizeCounter()
{
    static int count = 0;
    return count;
}

bool& ScrolledFlag()
{
    static bool scrolled = false;
    return scrolled;
}

// The frame whose application-wide key hook is installed.
QPointer<TsuiForm>& HookOwner()
{
    static QPointer<TsuiForm> owner;
    return owner;
}

// The skin's 1-pixel-wide menu bar pictures, decoded once.
const TBitmap& MacOSMenuPicture(bool selected)
{
    static const TBitmap bar = LoadSkinBitmap(QStringLiteral("MACOS_MENU_BAR"));
    static const TBitmap select = LoadSkinBitmap(QStringLiteral("MACOS_MENU_SELECT"));
    return selected ? select : bar;
}

} // namespace

int TsuiForm::StartedMaximizedCount()
{
    return SizeCounter();
}

TsuiForm::TsuiForm(QWidget* form) : TControl(form), m_form(CheckSingle(form, this))
{
    if (m_form != nullptr) {
        m_startedMaximized = m_form->isMaximized();
        m_startBounds = m_form->geometry();
        m_form->setMinimumSize(125, 50);
        // No bigger than the work area; a fixed window keeps its own limit.
        const TRect work = GetWorkAreaRect();
        if (!work.IsEmpty())
            m_form->setMaximumSize(std::min(m_form->maximumWidth(), work.Width()),
                                   std::min(m_form->maximumHeight(), work.Height()));
        if (m_form->isWindow()) {
            const bool shown = m_form->isVisible();
            m_form->setWindowFlag(Qt::FramelessWindowHint, true);
            if (shown)
                m_form->show();
        }
        m_form->installEventFilter(this);
    }
    m_titleBar = new TsuiTitleBar(this);
    m_menuBarColor = Color();
    SetUIStyle(DeepBlue);
    SetCaption(m_form ? m_form->windowTitle() : QString());
    AlignSelf();
    if (m_form != nullptr && HookOwner().isNull()) {
        HookOwner() = this;
        m_installedHook = true;
        UpdateAppFilter();
    }
    m_loading = false;
}

TsuiForm::~TsuiForm()
{
    if (m_cursorShown)
        QGuiApplication::restoreOverrideCursor();
    if (m_appFilter != nullptr)
        qApp->removeEventFilter(m_appFilter);
    if (m_menu)
        m_menu->SetForm(nullptr);
    if (m_form != nullptr)
        m_form->update();
}

void TsuiForm::SetUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    if (style == Custom)
        return;
    m_borderColor = GetThemeColor(style, teFormBorderColor);
    m_borderWidth = GetThemeInt(style, teFormBorderWidth);
    SetColor(GetThemeColor(style, teFormColor));
    m_menuBarColor = Color();
    m_titleBar->SetUIStyle(style);
    if (m_menu && m_menu->UIStyle() != Custom)
        m_menu->SetUIStyle(style);
    if (m_menuBar != nullptr)
        m_menuBar->SetColor(m_menuBarColor);
    if (m_autoUpdateSub) {
        SubContainerApplyUIStyle(this, style);
        ContainerApplyUIStyle(this, style);
    }
    AlignSelf();
    update();
    // The window's size follows the new border width.
    if (!m_loading && m_form != nullptr) {
        SetWidth(width());
        SetHeight(height());
    }
}

void TsuiForm::SetBorderColor(TColor color)
{
    m_borderColor = color;
    AlignSelf();
}

void TsuiForm::SetBorderWidth(int width)
{
    const int panelWidth = this->width();
    m_borderWidth = std::max(width, 0);
    SetWidth(panelWidth);
    AlignSelf();
    SetHeight(height());
}

void TsuiForm::ResizeForm(int width, int height)
{
    if (m_form == nullptr)
        return;
    // A fixed window takes the new size as its fixed size.
    if (m_form->maximumWidth() < width || m_form->maximumHeight() < height)
        m_form->setMaximumSize(std::max(m_form->maximumWidth(), width),
                               std::max(m_form->maximumHeight(), height));
    m_form->resize(width, height);
    AlignSelf();
}

void TsuiForm::SetWidth(int value)
{
    if (m_form == nullptr) {
        TControl::SetWidth(value);
        return;
    }
    ResizeForm(value + 2 * m_borderWidth, m_form->height());
}

void TsuiForm::SetHeight(int value)
{
    if (m_form == nullptr) {
        TControl::SetHeight(value);
        return;
    }
    ResizeForm(m_form->width(), value + m_borderWidth + m_borderWidth / 2);
}

void TsuiForm::SetFormPanel(QWidget* panel)
{
    if (panel == this) {
        DialogService().ShowError(
            QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
        return;
    }
    m_formPanel = panel;
    if (panel == nullptr)
        return;
    // A plain panel and an image panel lose their caption; a group box or
    // check group keeps its own.
    if (qobject_cast<TsuiImagePanel*>(panel) != nullptr ||
        panel->metaObject() == &TCustomPanel::staticMetaObject)
        static_cast<TControl*>(panel)->SetCaption(QString());
    AlignFormPanel();
}

void TsuiForm::AlignFormPanel()
{
    if (!m_formPanel || m_formPanel->parentWidget() != this)
        return;
    int top = m_titleBarVisible ? m_titleBar->height() : 0;
    if (m_menuBar != nullptr)
        top += m_menuBar->height();
    m_formPanel->setGeometry(0, top, width(), std::max(height() - top, 0));
}

void TsuiForm::SetMenuBarColor(TColor color)
{
    m_menuBarColor = color;
    if (m_menuBar != nullptr)
        m_menuBar->SetColor(color);
}

void TsuiForm::SetMenuBarHeight(int height)
{
    m_menuBarHeight = height;
    if (m_menuBar != nullptr) {
        m_menuBar->SetHeight(height);
        m_menuBar->LayoutButtons();
        AlignFormPanel();
    }
}

TsuiMainMenu* TsuiForm::Menu() const
{
    return m_menu;
}

void TsuiForm::SetMenu(TsuiMainMenu* menu)
{
    if (m_menu == menu && (menu == nullptr || m_menuBar != nullptr))
        return;
    if (m_menu && m_menu != menu)
        m_menu->SetForm(nullptr);
    m_menu = menu;
    if (menu == nullptr) {
        DestroyMenuBar();
        return;
    }
    menu->SetForm(this);
    if (m_menuBar == nullptr)
        CreateMenuBar();
    UpdateMenu();
}

void TsuiForm::CreateMenuBar()
{
    if (m_menuBar != nullptr)
        return;
    m_menuBar = new TsuiMenuBar(this, this);
    m_menuBar->SetColor(m_menuBarColor);
    m_menuBar->setGeometry(0, m_titleBarVisible ? m_titleBar->height() : 0, width(), m_menuBarHeight);
    m_menuBar->show();
    m_titleBar->move(0, 0);
    RepaintMenuBar();
    AlignFormPanel();
}

void TsuiForm::DestroyMenuBar()
{
    // Freed later: a button of the bar may be what is being clicked.
    if (m_menuBar != nullptr) {
        m_menuBar->hide();
        m_menuBar->deleteLater();
    }
    m_menuBar = nullptr;
    m_menu = nullptr;
    AlignFormPanel();
}

void TsuiForm::UpdateMenu()
{
    if (m_menuBar == nullptr || !m_menu)
        return;
    for (TsuiMenuBarButton* button : m_menuBar->Buttons()) {
        button->hide();
        button->deleteLater();
    }
    std::vector<TsuiMenuBarButton*> buttons;
    for (QAction* item : m_menu->Items()->actions())
        buttons.push_back(new TsuiMenuBarButton(this, item, m_menuBar));
    m_menuBar->SetButtons(std::move(buttons));
    RepaintMenuBar();
}

void TsuiForm::UpdateTopMenu()
{
    if (m_menuBar == nullptr)
        return;
    for (TsuiMenuBarButton* button : m_menuBar->Buttons())
        button->UpdateFromItem();
    m_menuBar->LayoutButtons();
}

void TsuiForm::RepaintMenuBar()
{
    if (m_menuBar == nullptr || !m_menu)
        return;
    TFont font = m_menu->ItemFont();
    if (!m_menu->UseSystemFont())
        font.Color = clMenuText;
    m_menuBar->SetFont(font);
    UpdateTopMenu();
    m_menuBar->update();
}

TsuiUIStyle TsuiForm::MenuStyle() const
{
    return m_menu ? m_menu->UIStyle() : m_uiStyle;
}

bool TsuiForm::ProcessKeyPress(QKeyCombination key)
{
    return m_menu && m_menu->IsShortCut(key);
}

bool TsuiForm::KeyHookEvent(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // A key event travels up from the focus widget; take it where it starts.
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr ? widget != focus : !widget->isWindow())
        return false;
    auto* frame = dynamic_cast<TsuiForm*>(FindSUIForm(widget->window()));
    return frame != nullptr && frame->ProcessKeyPress(static_cast<QKeyEvent*>(event)->keyCombination());
}

void TsuiForm::SetTitleBarVisible(bool value)
{
    m_titleBarVisible = value;
    m_titleBar->setVisible(value);
    m_titleBar->move(0, 0);
    AlignSelf();
}

void TsuiForm::AlignSelf()
{
    if (m_form == nullptr)
        return;
    const int b = m_borderWidth;
    const int top = m_titleBarVisible ? 0 : b;
    // Inside an MDI child the frame gives up three pixels each way.
    const int mdi = GetMDIChild() ? 3 : 0;
    setGeometry(b, top, std::max(m_form->width() - 2 * b - mdi, 0),
                std::max(m_form->height() - b - top - mdi, 0));
    // Resize events of a hidden window wait until it is shown; place the bars now.
    m_titleBar->setGeometry(0, 0, width(), m_titleBar->height());
    if (m_menuBar != nullptr) {
        m_menuBar->setGeometry(0, m_titleBarVisible ? m_titleBar->height() : 0, width(), m_menuBarHeight);
        m_menuBar->LayoutButtons();
    }
    AlignFormPanel();
    m_form->update();
}

TCaption TsuiForm::Caption() const
{
    return m_titleBar->Caption();
}

void TsuiForm::SetCaption(const TCaption& caption)
{
    m_titleBar->SetCaption(caption);
    if (m_form != nullptr)
        m_form->setWindowTitle(caption);
}

void TsuiForm::CaptionChanged()
{
    SetCaption(TControl::Caption());
}

TFont TsuiForm::Font() const
{
    return m_titleBar->Font();
}

void TsuiForm::SetFont(const TFont& font)
{
    m_titleBar->SetFont(font);
}

void TsuiForm::Paint(TCanvas& canvas)
{
    const TsuiLook& look = SuiLook(m_uiStyle);
    if (look.FormBackground) {
        const TBitmap& tile = SkinBitmap(QLatin1String(look.Prefix) + QLatin1String("FORM_BACKGROUND"));
        m_background.Draw(canvas, tile, Color());
    }
    // Any other style keeps the Color() the canvas arrives filled with.
}

bool TsuiForm::GetMDIChild() const
{
    return m_form != nullptr && qobject_cast<QMdiSubWindow*>(m_form->parentWidget()) != nullptr;
}

void TsuiForm::PaintFormBorder()
{
    const int b = m_borderWidth;
    if (b <= 0)
        return;
    const int cw = m_form->width();
    const int ch = m_form->height();
    const QColor color = ToQColor(ColorToRGB(m_borderColor));
    QPainter painter(m_form);
    if (GetMDIChild()) {
        painter.fillRect(QRect(0, 0, b, ch - 2), color);
        painter.fillRect(QRect(0, ch - b - 3, cw, b), color);
        painter.fillRect(QRect(cw - b - 3, 0, b, ch), color);
    } else {
        painter.fillRect(QRect(0, 0, b, ch), color);
        painter.fillRect(QRect(0, ch - b, cw, b), color);
        painter.fillRect(QRect(cw - b, 0, b, ch), color);
    }
    // A pen of width b along the top edge: half of it lies above the window.
    painter.fillRect(QRect(0, 0, cw, (b + 1) / 2), color);
}

void TsuiForm::FormResized()
{
    if (m_startedMaximized) {
        if (!m_form->isMaximized()) {
            m_startedMaximized = false;
            m_form->setGeometry(m_startBounds);
        } else if (SizeCounter() < 2) {
            ++SizeCounter();
        } else {
            const TRect work = GetWorkAreaRect();
            m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
            m_form->move(work.Left, work.Top);
        }
        ScrolledFlag() = true;
    }
    AlignSelf();
    if (GetMDIChild()) {
        // A maximised child shows the MDI window's caption, not its own.
        const bool maximized = m_form->parentWidget()->isMaximized();
        const int h = m_titleBar->height();
        if (maximized) {
            m_titleBar->hide();
            if (!ScrolledFlag()) {
                scroll(0, -h);
                ScrolledFlag() = true;
            }
        } else {
            m_titleBar->setVisible(m_titleBarVisible);
            if (ScrolledFlag()) {
                scroll(0, h);
                ScrolledFlag() = false;
            }
        }
    }
}

void TsuiForm::UpdateAppFilter()
{
    const bool wanted = m_installedHook || m_sizeable;
    if (wanted && m_appFilter == nullptr) {
        m_appFilter = new TAppEventFilter(this, [this](QObject* watched, QEvent* event) {
            return (m_installedHook && KeyHookEvent(watched, event)) ||
                   (m_sizeable && SizingEvent(watched, event));
        });
        qApp->installEventFilter(m_appFilter);
    } else if (!wanted && m_appFilter != nullptr) {
        qApp->removeEventFilter(m_appFilter);
        m_appFilter->deleteLater();
        m_appFilter = nullptr;
    }
}

bool TsuiForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form) {
        switch (event->type()) {
        case QEvent::Resize:
            FormResized();
            break;
        case QEvent::Paint:
            // Before the window's own painting, which a plain window does not do.
            PaintFormBorder();
            break;
        case QEvent::ActivationChange:
            m_titleBar->SetFormActive(m_form->isActiveWindow());
            break;
        default:
            break;
        }
    }
    return TControl::eventFilter(watched, event);
}

void TsuiForm::SetSizeable(bool value)
{
    if (value == m_sizeable)
        return;
    m_sizeable = value;
    // The zones lie over the panel and the controls near the edges, so the
    // mouse is watched for the whole application.
    UpdateAppFilter();
    if (!value)
        ShowSizingCursor({});
}

Qt::Edges TsuiForm::ResizeEdges(const QPoint& pos) const
{
    if (!m_sizeable || m_form == nullptr || m_form->isMaximized())
        return {};
    const int x = pos.x();
    const int y = pos.y();
    const int cw = m_form->width();
    const int ch = m_form->height();
    if (x < 0 || y < 0 || x >= cw || y >= ch)
        return {};
    if (x <= 4 && y <= 4)
        return Qt::TopEdge | Qt::LeftEdge;
    if (x > cw - 5 && y <= 4)
        return Qt::TopEdge | Qt::RightEdge;
    if (x > cw - 5 && y > ch - 5)
        return Qt::BottomEdge | Qt::RightEdge;
    if (x < 5 && y > ch - 5)
        return Qt::BottomEdge | Qt::LeftEdge;
    if (x <= 4)
        return Qt::LeftEdge;
    if (y <= 4)
        return Qt::TopEdge;
    if (x > cw - 5)
        return Qt::RightEdge;
    if (y > ch - 5)
        return Qt::BottomEdge;
    return {};
}

void TsuiForm::ShowSizingCursor(Qt::Edges edges)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge))
        shape = Qt::SizeBDiagCursor;
    else if (edges == Qt::LeftEdge || edges == Qt::RightEdge)
        shape = Qt::SizeHorCursor;
    else if (edges == Qt::TopEdge || edges == Qt::BottomEdge)
        shape = Qt::SizeVerCursor;
    if (edges == Qt::Edges() && m_cursorShown) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorShown = false;
    } else if (edges != Qt::Edges()) {
        if (m_cursorShown)
            QGuiApplication::changeOverrideCursor(shape);
        else
            QGuiApplication::setOverrideCursor(shape);
        m_cursorShown = true;
    }
}

bool TsuiForm::StartWindowResize(Qt::Edges edges, const QPoint& globalPos)
{
    if (QWindow* handle = m_form->windowHandle())
        if (handle->startSystemResize(edges))
            return true;
    // No window manager to resize us: follow the mouse ourselves.
    m_resizing = edges;
    m_resizeStart = globalPos;
    m_geometryStart = m_form->geometry();
    return false;
}

bool TsuiForm::SizingEvent(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != m_form)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    if (m_resizing != Qt::Edges()) {
        if (type == QEvent::MouseButtonRelease) {
            m_resizing = {};
            return true;
        }
        if (type != QEvent::MouseMove)
            return true;
        const QPoint d = global - m_resizeStart;
        const QSize least = m_form->minimumSize();
        QRect g = m_geometryStart;
        if (m_resizing & Qt::LeftEdge)
            g.setLeft(std::min(g.left() + d.x(), g.right() + 1 - least.width()));
        if (m_resizing & Qt::RightEdge)
            g.setRight(std::max(g.right() + d.x(), g.left() - 1 + least.width()));
        if (m_resizing & Qt::TopEdge)
            g.setTop(std::min(g.top() + d.y(), g.bottom() + 1 - least.height()));
        if (m_resizing & Qt::BottomEdge)
            g.setBottom(std::max(g.bottom() + d.y(), g.top() - 1 + least.height()));
        m_form->setGeometry(g);
        return true;
    }

    const Qt::Edges edges = ResizeEdges(m_form->mapFromGlobal(global));
    if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        ShowSizingCursor(edges);
        return false;
    }
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && edges != Qt::Edges()) {
        StartWindowResize(edges, global);
        return true;
    }
    return false;
}

// --- the menu bar ------------------------------------------------------------

TsuiMenuBar::TsuiMenuBar(TsuiForm* form, QWidget* parent) : TControl(parent), m_form(form) {}

void TsuiMenuBar::SetButtons(std::vector<TsuiMenuBarButton*> buttons)
{
    m_buttons = std::move(buttons);
    for (TsuiMenuBarButton* button : m_buttons)
        button->show();
    LayoutButtons();
}

void TsuiMenuBar::LayoutButtons()
{
    int x = 0;
    for (TsuiMenuBarButton* button : m_buttons) {
        button->setGeometry(x, 0, button->width(), height());
        x += button->width();
    }
}

void TsuiMenuBar::Paint(TCanvas& canvas)
{
    // Other looks keep the bar colour the canvas arrives filled with.
    if (SuiLook(m_form->MenuStyle()).PictureMenus)
        canvas.StretchDraw(ClientRect(), MacOSMenuPicture(false));
}

TsuiMenuBarButton::TsuiMenuBarButton(TsuiForm* form, QAction* item, QWidget* bar)
    : TControl(bar), m_form(form), m_item(item)
{
    SetParentColor(true);
    UpdateFromItem();
}

void TsuiMenuBarButton::UpdateFromItem()
{
    if (!m_item)
        return;
    SetCaption(m_item->text());
    SetEnabled(m_item->isEnabled());
    resize(MeasureTextWidth(Font(), StripAccelerators(Caption())) + 16, height());
}

void TsuiMenuBarButton::Paint(TCanvas& canvas)
{
    const TsuiUIStyle style = m_form->MenuStyle();
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    canvas.Font = Font();
    canvas.Brush.Style = bsClear;
    if ((MouseInControl() && Enabled()) || m_selected) {
        TRect rect = ClientRect();
        if (SuiLook(style).PictureMenus) {
            canvas.StretchDraw(rect, MacOSMenuPicture(true));
        } else {
            if (m_selected)
                rect.Right -= 2;
            Menu_DrawBackGround(canvas, rect, GetThemeColor(style, teMenuSelectedColor));
            Menu_DrawBorder(canvas, rect, GetThemeColor(style, teMenuSelectedBorderColor));
            if (m_selected)
                rect.Left += 2;
            rect.Top += 2;
        }
        canvas.Brush.Style = bsClear;
        canvas.Font.Color = GetThemeColor(style, teMenuSelectedFontColor);
        canvas.DrawText(Caption(), rect, flags);
        return;
    }
    // The bar's own look behind the caption.
    if (SuiLook(style).PictureMenus)
        canvas.StretchDraw(ClientRect(), MacOSMenuPicture(false));
    if (!Enabled())
        canvas.Font.Color = clGrayText;
    canvas.DrawText(Caption(), ClientRect(), flags);
}

void TsuiMenuBarButton::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !m_item || !Enabled())
        return;
    QMenu* dropDown = m_item->menu();
    if (dropDown == nullptr || dropDown->actions().isEmpty()) {
        m_item->trigger();
        return;
    }
    m_selected = true;
    update();
    connect(
        dropDown, &QMenu::aboutToHide, this,
        [this] {
            m_selected = false;
            update();
        },
        Qt::SingleShotConnection);
    dropDown->popup(mapToGlobal(QPoint(0, height())));
}

void TsuiMenuBarButton::MouseEnter()
{
    TControl::MouseEnter();
    update();
}

void TsuiMenuBarButton::MouseLeave()
{
    TControl::MouseLeave();
    update();
}
