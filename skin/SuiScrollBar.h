#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/SuiImagePanel.h"
#include "skin/SuiProgressBar.h"
#include "skin/Suithemes.h"

#include <QProxyStyle>
#include <QTimer>
#include <memory>

class QScrollBar;
class TsuiImageButton;

// A value between Min and Max shown as a slider over a groove picture. A
// click beside the slider pages towards the click, never past it, and keeps
// paging every 500 ms while the button is held; the slider can be dragged.
class TsuiTrackBar : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,BarImage,SliderImage,Min,Max,Position,PageSize,Orientation,Color,"
                             "OnChange,Align,Alignment,Anchors,BiDiMode,DragKind,DragMode,ParentBiDiMode,"
                             "ParentFont,ParentShowHint,ShowHint,TabOrder,TabStop,OnClick,OnDblClick,"
                             "OnMouseDown,OnMouseMove,OnMouseUp")

public:
    static constexpr int PagingInterval = 500;

    explicit TsuiTrackBar(QWidget* parent = nullptr);
    ~TsuiTrackBar() override;

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiProgressBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TsuiProgressBarOrientation orientation);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    // Min and Max do not clamp the position; SetPosition clamps into them.
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);
    // Accepted from 0 to 100 only.
    int PageSize() const { return m_pageSize; }
    void SetPageSize(int value);

    const TPicture& BarImage() const { return m_barImage; }
    void SetBarImage(const TPicture& picture);
    const TPicture& SliderImage() const;
    virtual void SetSliderImage(const TPicture& picture);

    // The slider's place along the axis for the current position.
    int GetSliderPosFromPosition() const;
    // The position whose slider centre lies at the point.
    int GetPositionFromFromSliderPos(int x, int y) const;
    // The position for the point, clamped; with `apply` through SetPosition,
    // otherwise stored without moving the slider or raising OnChange.
    void UpdatePositionValue(int x, int y, bool apply);

    // The slider, a picture panel on the track.
    TsuiImagePanel* Slider() const { return m_slider; }
    // Present while the button is held on the track.
    TTimer* PagingTimer() const { return m_timer.get(); }
    // One repeat of the paging, towards the pointer's last place on the track.
    void PagingTick();
    bool Dragging() const { return m_dragging; }

protected:
    TsuiTrackBar(QWidget* parent, TsuiUIStyle style);

    virtual void UpdatePicture();
    void PlaceSlider();
    void UpdateSlider();
    void UpdateControl();
    void SetSize();
    // Length along the axis: of the track, of the slider.
    int TrackLength() const;
    int SliderLength() const;
    TBitmap& Groove() { return m_groove; }

    void Paint(TCanvas& canvas) override;
    void resizeEvent(QResizeEvent* event) override;
    void MouseDown(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(TMouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;

private:
    void LoadStylePictures();
    void PageTowards(int x, int y);
    void StopPaging();
    void OnSliderMouseDown(int x, int y);

    TPicture m_barImage;
    std::unique_ptr<TTimer> m_timer;
    TsuiImagePanel* m_slider;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_lastChange = 0;
    TsuiProgressBarOrientation m_orientation = suiHorizontal;
    TsuiUIStyle m_uiStyle = Custom;
    bool m_dragging = false;
    int m_grabOffset = 0;
    int m_pageSize = 10;
    TBitmap m_groove;
    TPoint m_pointer;
    bool m_updating = false;
};

// The track of a scroll bar: no groove, and a slider whose size is that of
// the picture the scroll bar builds for it.
class TsuiScrollTrackBar : public TsuiTrackBar
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TsuiScrollTrackBar(QWidget* parent = nullptr);

    bool SliderVisible() const;
    void SetSliderVisible(bool value);
    // The slider takes the size of its picture.
    void UpdateSliderSize();
};

// Two arrow buttons and a scroll track between them. The slider's length
// follows PageSize (10 to 100 percent of the track) or, when set, LineButton.
class TsuiScrollBar : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "LineButton,Orientation,UIStyle,Max,Min,Position,SmallChange,LargeChange,"
                             "PageSize,Color,OnChange,Align,Anchors,BiDiMode,Constraints,DragCursor,"
                             "DragKind,DragMode,ParentBiDiMode,ParentColor,ParentShowHint,PopupMenu,"
                             "ShowHint,OnContextPopup,OnEnter,OnExit,OnDragDrop,OnDragOver,OnEndDock,"
                             "OnEndDrag,OnStartDock,OnStartDrag")

public:
    explicit TsuiScrollBar(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiProgressBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TsuiProgressBarOrientation orientation);

    int Max() const;
    int Min() const;
    int Position() const;
    void SetMax(int value);
    void SetMin(int value);
    void SetPosition(int value);
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int value) { m_smallChange = TScrollBarInc(value); }
    // The track's page size; only PageSize rebuilds the slider picture.
    int LargeChange() const;
    void SetLargeChange(int value);
    int PageSize() const;
    void SetPageSize(int value);
    // A slider length in pixels, at least 18; 0 sizes the slider by PageSize.
    int LineButton() const { return m_lineButton; }
    void SetLineButton(int value);
    bool SliderVisible() const;
    void SetSliderVisible(bool value);

    // The change handler lives on the track: its sender is the track.
    TNotifyEvent GetOnChange() const;
    void SetOnChange(const TNotifyEvent& handler);

    TsuiScrollTrackBar* Track() const { return m_track; }
    // Top or left; steps down.
    TsuiImageButton* FirstButton() const { return m_firstButton; }
    // Bottom or right; steps up.
    TsuiImageButton* SecondButton() const { return m_secondButton; }

    // The arrow buttons' press-and-hold steps.
    void MouseContinuouslyDownInc();
    void MouseContinuouslyDownDec();

protected:
    void ColorChanged() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdatePictures();
    void UpdateSliderPic();
    void PlaceTrackBarAndButton();
    void WireButton(TsuiImageButton* button, void (TsuiScrollBar::*step)());

    TsuiScrollTrackBar* m_track;
    TsuiImageButton* m_secondButton;
    TsuiImageButton* m_firstButton;
    TBitmap m_sliceStart;
    TBitmap m_sliceMiddle;
    TBitmap m_sliceEnd;
    TsuiUIStyle m_uiStyle = Custom;
    TsuiProgressBarOrientation m_orientation = suiVertical;
    TScrollBarInc m_smallChange = 1;
    int m_lineButton = 0;
    bool m_placing = false;
};

// For controls that lay skinned bars over their native ones (memo, list box).

// The native bar's thumb length in pixels, as its style lays the bar out.
int NativeThumbLength(const QScrollBar* bar);

// Native bars as thick as the skinned bars laid over them, so that no content
// hides under a skinned bar. Set on the native bars themselves; 0 keeps the
// style's own thickness.
class TsuiNativeBarStyle : public QProxyStyle
{
public:
    int Extent = 0;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
};
