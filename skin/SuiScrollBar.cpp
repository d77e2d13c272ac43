#include "skin/SuiScrollBar.h"

#include "framework/TAccessible.h"
#include "framework/TCanvas.h"
#include "skin/SuiButton.h"
#include "skin/SuiStyleRules.h"
#include "skin/Suipublic.h"

#include <QScrollBar>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {

// The shortest slider a line-button length gives.
constexpr int kMinLineButton = 18;

int Clamp(int value, int low, int high)
{
    // Not std::clamp: Min above Max is not guarded and must not be undefined.
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

TBitmap Copy(const TBitmap& source, const TRect& rect)
{
    return source.Copy(rect);
}

TPicture PictureOf(const TBitmap& bitmap)
{
    TPicture picture;
    picture.Assign(bitmap);
    return picture;
}

} // namespace

// --- track bar ---------------------------------------------------------------

TsuiTrackBar::TsuiTrackBar(QWidget* parent)
    : TsuiTrackBar(parent, GetSUIFormStyle(parent ? parent->window() : nullptr))
{
}

TsuiTrackBar::TsuiTrackBar(QWidget* parent, TsuiUIStyle style)
    : TControl(parent), m_slider(new TsuiImagePanel(this))
{
    m_slider->resize(0, 0);
    m_slider->SetParentColor(true);
    m_slider->SetAutoSize(true);
    // The slider's mouse goes to the track, in the track's coordinates.
    m_slider->OnMouseDown = [this](QObject*, TMouseButton, Qt::KeyboardModifiers, int x, int y) {
        OnSliderMouseDown(x, y);
    };
    m_slider->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers shift, int x, int y) {
        if (m_dragging)
            MouseMove(shift, x + m_slider->x(), y + m_slider->y());
    };
    m_slider->OnMouseUp = [this](QObject*, TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
        MouseUp(button, shift, x + m_slider->x(), y + m_slider->y());
    };
    resize(150, 45);
    SetUIStyle(style);
    PlaceSlider();
}

TsuiTrackBar::~TsuiTrackBar() = default;

void TsuiTrackBar::SetUIStyle(TsuiUIStyle style)
{
    if (style == m_uiStyle)
        return;
    m_uiStyle = style;
    if (style == Custom)
        return;
    SetColor(GetThemeColor(style, teTrackBarColor));
    UpdateControl();
}

void TsuiTrackBar::SetOrientation(TsuiProgressBarOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    UpdateControl();
}

void TsuiTrackBar::LoadStylePictures()
{
    const bool vertical = m_orientation == suiVertical;
    m_barImage.Assign(
        LoadSkinBitmap(GetThemeString(m_uiStyle, vertical ? teTrackBarBarVertical : teTrackBarBar)));
    m_slider->SetAutoSize(true);
    m_slider->SetPicture(PictureOf(
        LoadSkinBitmap(GetThemeString(m_uiStyle, vertical ? teTrackBarSliderVertical : teTrackBarSlider))));
}

void TsuiTrackBar::SetMin(int value)
{
    m_min = value;
    UpdateSlider();
    PlaceSlider();
}

void TsuiTrackBar::SetMax(int value)
{
    m_max = value;
    UpdateSlider();
    PlaceSlider();
}

void TsuiTrackBar::SetPosition(int value)
{
    m_position = Clamp(value, m_min, m_max);
    UpdateSlider();
    AnnounceValueChange(this, m_position);
}

void TsuiTrackBar::SetPageSize(int value)
{
    if (value >= 0 && value <= 100)
        m_pageSize = value;
}

void TsuiTrackBar::SetBarImage(const TPicture& picture)
{
    m_barImage = picture;
    UpdateControl();
}

const TPicture& TsuiTrackBar::SliderImage() const
{
    return m_slider->Picture();
}

void TsuiTrackBar::SetSliderImage(const TPicture& picture)
{
    m_slider->SetPicture(picture);
    PlaceSlider();
    update();
}

int TsuiTrackBar::TrackLength() const
{
    return m_orientation == suiHorizontal ? width() : height();
}

int TsuiTrackBar::SliderLength() const
{
    return m_orientation == suiHorizontal ? m_slider->width() : m_slider->height();
}

int TsuiTrackBar::GetSliderPosFromPosition() const
{
    if (m_max == m_min)
        return 0;
    return (m_position - m_min) * (TrackLength() - SliderLength()) / (m_max - m_min);
}

int TsuiTrackBar::GetPositionFromFromSliderPos(int x, int y) const
{
    const int length = TrackLength() - SliderLength();
    if (length == 0)
        return 0;
    const int v = m_orientation == suiHorizontal ? x : y;
    return (v - SliderLength() / 2) * (m_max - m_min) / length + m_min;
}

void TsuiTrackBar::UpdatePositionValue(int x, int y, bool apply)
{
    const int position = Clamp(GetPositionFromFromSliderPos(x, y), m_min, m_max);
    if (apply)
        SetPosition(position);
    else
        m_position = position;
}

void TsuiTrackBar::PlaceSlider()
{
    const int along = GetSliderPosFromPosition();
    if (m_orientation == suiHorizontal)
        PlaceControl(m_slider, TPoint{along, std::max((height() - m_slider->height()) / 2, 0)});
    else
        PlaceControl(m_slider, TPoint{std::max((width() - m_slider->width()) / 2, 0), along});
}

void TsuiTrackBar::UpdateSlider()
{
    if (m_position == m_lastChange)
        return;
    m_lastChange = m_position;
    PlaceSlider();
    update();
    Changed();
    m_lastChange = m_position;
}

void TsuiTrackBar::UpdatePicture()
{
    const bool vertical = m_orientation == suiVertical;
    if (m_uiStyle == Custom) {
        m_groove = m_barImage.Bitmap();
    } else {
        // A styled track takes its pictures from the theme at every update,
        // so pictures set by hand give way to the theme's.
        LoadStylePictures();
        const TBitmap& bar = m_barImage.Bitmap();
        const int length = std::max(vertical ? height() : width(), 0);
        m_groove = TBitmap(length, bar.Height());
        if (!m_groove.Empty()) {
            TCanvas canvas(m_groove.EditImage());
            SpitDrawHorizontal(bar, canvas, Rect(0, 0, length, bar.Height()), false);
        }
    }
    if (vertical)
        RoundPicture(m_groove);
}

void TsuiTrackBar::SetSize()
{
    const int bar = m_barImage.Height();
    if (m_orientation == suiVertical)
        resize(std::max(bar, m_slider->width()), height());
    else
        resize(width(), std::max(bar, m_slider->height()));
    update();
}

void TsuiTrackBar::UpdateControl()
{
    // Sizing the track comes back here through the resize.
    if (m_updating)
        return;
    m_updating = true;
    UpdateSlider();
    UpdatePicture();
    SetSize();
    PlaceSlider();
    update();
    m_updating = false;
}

void TsuiTrackBar::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    UpdateControl();
}

void TsuiTrackBar::Paint(TCanvas& canvas)
{
    // The canvas arrives filled with Color().
    const int bar = m_barImage.Height();
    if (m_orientation == suiHorizontal)
        canvas.Draw(0, (height() - bar) / 2, m_groove);
    else
        canvas.Draw((width() - bar) / 2, 0, m_groove);
}

void TsuiTrackBar::PageTowards(int x, int y)
{
    const int v = m_orientation == suiHorizontal ? x : y;
    const int slider = m_orientation == suiHorizontal ? m_slider->x() : m_slider->y();
    const int atPoint = GetPositionFromFromSliderPos(x, y);
    // A page step stops at the point clicked.
    if (v > slider)
        SetPosition(std::min(m_position + m_pageSize, atPoint));
    else if (v < slider)
        SetPosition(std::max(m_position - m_pageSize, atPoint));
}

void TsuiTrackBar::PagingTick()
{
    PageTowards(m_pointer.X, m_pointer.Y);
}

void TsuiTrackBar::StopPaging()
{
    m_timer.reset();
}

void TsuiTrackBar::MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    m_pointer = {x, y};
    PageTowards(x, y);
    if (!m_timer) {
        m_timer = std::make_unique<QTimer>();
        m_timer->setInterval(PagingInterval);
        connect(m_timer.get(), &QTimer::timeout, this, [this] { PagingTick(); });
        m_timer->start();
    }
}

void TsuiTrackBar::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseMove(shift, x, y);
    m_pointer = {x, y};
    if (!m_dragging) {
        if (x < 0 || x > width() || y < 0 || y > height())
            StopPaging();
        return;
    }
    const int room = TrackLength() - SliderLength();
    if (m_orientation == suiHorizontal)
        m_slider->move(Clamp(x - m_grabOffset, 0, room), m_slider->y());
    else
        m_slider->move(m_slider->x(), Clamp(y - m_grabOffset, 0, room));
    // Reports the position the previous move computed.
    if (m_position != m_lastChange) {
        Changed();
        m_lastChange = m_position;
    }
    UpdatePositionValue(x, y, false);
}

void TsuiTrackBar::MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TControl::MouseUp(button, shift, x, y);
    StopPaging();
    m_dragging = false;
}

void TsuiTrackBar::OnSliderMouseDown(int x, int y)
{
    m_grabOffset = m_orientation == suiHorizontal ? x : y;
    m_dragging = true;
}

// --- scroll track ------------------------------------------------------------

TsuiScrollTrackBar::TsuiScrollTrackBar(QWidget* parent) : TsuiTrackBar(parent, Custom) {}

bool TsuiScrollTrackBar::SliderVisible() const
{
    return !Slider()->isHidden();
}

void TsuiScrollTrackBar::SetSliderVisible(bool value)
{
    if (value != SliderVisible())
        Slider()->setVisible(value);
}

void TsuiScrollTrackBar::UpdateSliderSize()
{
    Slider()->SetAutoSize(true);
    SetSize();
    PlaceSlider();
}

// --- scroll bar --------------------------------------------------------------

TsuiScrollBar::TsuiScrollBar(QWidget* parent)
    : TControl(parent), m_track(new TsuiScrollTrackBar(this)), m_secondButton(new TsuiImageButton(this)),
      m_firstButton(new TsuiImageButton(this))
{
    WireButton(m_secondButton, &TsuiScrollBar::MouseContinuouslyDownInc);
    WireButton(m_firstButton, &TsuiScrollBar::MouseContinuouslyDownDec);
    resize(16, 185);
    SetUIStyle(GetSUIFormStyle(parent ? parent->window() : nullptr));
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::WireButton(TsuiImageButton* button, void (TsuiScrollBar::*step)())
{
    button->SetMouseContinuouslyDownInterval(100);
    // The arrows step while held; they do not take the focus from the
    // control they scroll.
    button->setFocusPolicy(Qt::NoFocus);
    auto ticks = std::make_shared<int>(0);
    button->OnMouseDown = [ticks](QObject*, TMouseButton, Qt::KeyboardModifiers, int, int) { *ticks = 0; };
    button->OnMouseContinuouslyDown = [this, ticks, step](QObject*) {
        ++*ticks;
        (this->*step)();
    };
    // A click shorter than one repeat interval still steps once.
    button->OnClick = [this, ticks, step](QObject*) {
        if (*ticks == 0)
            (this->*step)();
        *ticks = 0;
    };
}

void TsuiScrollBar::SetUIStyle(TsuiUIStyle style)
{
    if (style == m_uiStyle)
        return;
    m_uiStyle = style;
    if (style == Custom)
        return;
    SetColor(GetThemeColor(style, teScrollBarColor));
    m_track->SetColor(Color());
    UpdatePictures();
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    UpdatePictures();
    PlaceTrackBarAndButton();
}

int TsuiScrollBar::Max() const
{
    return m_track->Max();
}

int TsuiScrollBar::Min() const
{
    return m_track->Min();
}

int TsuiScrollBar::Position() const
{
    return m_track->Position();
}

void TsuiScrollBar::SetMax(int value)
{
    m_track->SetMax(value);
}

void TsuiScrollBar::SetMin(int value)
{
    m_track->SetMin(value);
}

void TsuiScrollBar::SetPosition(int value)
{
    m_track->SetPosition(value);
}

int TsuiScrollBar::LargeChange() const
{
    return TScrollBarInc(m_track->PageSize());
}

void TsuiScrollBar::SetLargeChange(int value)
{
    m_track->SetPageSize(TScrollBarInc(value));
}

int TsuiScrollBar::PageSize() const
{
    return m_track->PageSize();
}

void TsuiScrollBar::SetPageSize(int value)
{
    m_track->SetPageSize(value);
    UpdateSliderPic();
}

void TsuiScrollBar::SetLineButton(int value)
{
    if (value == m_lineButton)
        return;
    m_lineButton = value;
    UpdateSliderPic();
}

bool TsuiScrollBar::SliderVisible() const
{
    return m_track->SliderVisible();
}

void TsuiScrollBar::SetSliderVisible(bool value)
{
    m_track->SetSliderVisible(value);
}

TNotifyEvent TsuiScrollBar::GetOnChange() const
{
    return m_track->OnChange;
}

void TsuiScrollBar::SetOnChange(const TNotifyEvent& handler)
{
    m_track->OnChange = handler;
}

void TsuiScrollBar::MouseContinuouslyDownInc()
{
    m_track->SetPosition(m_track->Position() + m_smallChange);
}

void TsuiScrollBar::MouseContinuouslyDownDec()
{
    m_track->SetPosition(m_track->Position() - m_smallChange);
}

void TsuiScrollBar::ColorChanged()
{
    m_track->SetColor(Color());
    TControl::ColorChanged();
}

void TsuiScrollBar::resizeEvent(QResizeEvent* event)
{
    TControl::resizeEvent(event);
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::UpdatePictures()
{
    if (m_uiStyle == Custom)
        return;
    const bool vertical = m_orientation == suiVertical;
    m_track->SetBarImage(TPicture());

    // The track bitmap is authored upright; its slices are cut across it.
    TBitmap track = LoadSkinBitmap(GetThemeString(m_uiStyle, teScrollTrack));
    RoundPicture(track);
    const int cell = track.Width() / 3;
    TBitmap* slices[] = {&m_sliceStart, &m_sliceMiddle, &m_sliceEnd};
    for (int i = 0; i < 3; ++i) {
        *slices[i] = Copy(track, Bounds(i * cell, 0, cell, track.Height()));
        if (vertical)
            RoundPicture3(*slices[i]);
    }

    const auto picture = [&](TsuiThemeElement index) {
        TBitmap bitmap = LoadSkinBitmap(GetThemeString(m_uiStyle, index));
        if (!vertical)
            RoundPicture(bitmap);
        return PictureOf(bitmap);
    };
    m_firstButton->SetPicNormal(picture(kScrollTopButtonElements.Normal));
    m_firstButton->SetPicMouseOn(picture(kScrollTopButtonElements.MouseOn));
    m_firstButton->SetPicMouseDown(picture(kScrollTopButtonElements.MouseDown));
    m_secondButton->SetPicNormal(picture(kScrollBottomButtonElements.Normal));
    m_secondButton->SetPicMouseOn(picture(kScrollBottomButtonElements.MouseOn));
    m_secondButton->SetPicMouseDown(picture(kScrollBottomButtonElements.MouseDown));
    m_firstButton->SetAutoSize(true);
    m_secondButton->SetAutoSize(true);
}

void TsuiScrollBar::UpdateSliderPic()
{
    if (m_sliceStart.Empty())
        return;
    const bool vertical = m_orientation == suiVertical;
    const int cross = vertical ? m_sliceStart.Width() : m_sliceStart.Height();
    int length = 0;
    if (m_lineButton > 0) {
        m_lineButton = std::max(m_lineButton, kMinLineButton);
        length = m_lineButton;
    } else {
        int percent = m_track->PageSize();
        if (percent < 10 || percent > 100)
            percent = 10;
        length = (vertical ? m_track->height() : m_track->width()) * percent / 100;
    }
    if (length <= 0)
        return;

    TBitmap slider = vertical ? TBitmap(cross, length) : TBitmap(length, cross);
    {
        TCanvas canvas(slider.EditImage());
        if (vertical) {
            const int endCap = m_sliceEnd.Height();
            canvas.Draw(0, 0, m_sliceStart);
            canvas.StretchDraw(Rect(0, m_sliceStart.Height(), cross, length - endCap), m_sliceMiddle);
            canvas.Draw(0, length - endCap, m_sliceEnd);
        } else {
            const int endCap = m_sliceEnd.Width();
            canvas.Draw(0, 0, m_sliceStart);
            canvas.StretchDraw(Rect(m_sliceStart.Width(), 0, length - endCap, cross), m_sliceMiddle);
            canvas.Draw(length - endCap, 0, m_sliceEnd);
        }
    }
    m_track->SetSliderImage(PictureOf(slider));
    m_track->UpdateSliderSize();
}

void TsuiScrollBar::PlaceTrackBarAndButton()
{
    // Fitting the bar to its buttons resizes it and comes back here.
    if (m_placing)
        return;
    m_placing = true;
    m_track->SetOrientation(m_orientation);
    const int w = width();
    const int h = height();
    if (m_orientation == suiVertical) {
        m_firstButton->move(0, 0);
        const int top = m_firstButton->height();
        m_track->setGeometry(0, top, m_track->width(),
                             std::max(h - m_secondButton->height() - m_firstButton->height() - 1, 0));
        m_secondButton->move(0, h - m_secondButton->height());
        resize(m_firstButton->width(), h);
    } else {
        m_firstButton->move(0, 0);
        m_track->setGeometry(m_firstButton->width(), 0,
                             std::max(w - m_secondButton->width() - m_firstButton->width(), 0),
                             m_track->height());
        m_secondButton->move(w - m_secondButton->width(), 0);
        resize(w, m_firstButton->height());
    }
    UpdateSliderPic();
    m_placing = false;
}

int NativeThumbLength(const QScrollBar* bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QRect thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    return bar->orientation() == Qt::Horizontal ? thumb.width() : thumb.height();
}

int TsuiNativeBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                    const QWidget* widget) const
{
    if (metric == PM_ScrollBarExtent && Extent > 0)
        return Extent;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
