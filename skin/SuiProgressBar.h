#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/Suithemes.h"

#include <cstdint>

// Orientation of the progress, track and scroll bars.
enum TsuiProgressBarOrientation : std::uint8_t
{
    suiHorizontal = 0,
    suiVertical = 1
};

// A bar of fixed thickness (12 pixels) that fills from one end with the
// style's stretched picture and writes its percentage in the middle. A
// vertical bar fills from the bottom and never writes its percentage.
class TsuiProgressBar : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "UIStyle,Min,Max,Position,Orientation,BorderColor,Color,Picture,ShowCaption,"
                             "CaptionColor,SmartShowCaption,Anchors,BiDiMode")

public:
    static constexpr int Thickness = 12;

    explicit TsuiProgressBar(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiProgressBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TsuiProgressBarOrientation orientation);

    // Stored as given, without clamping.
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);
    void StepIt() { SetPosition(m_position + 1); }
    void StepBy(int delta) { SetPosition(m_position + delta); }

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);
    TColor CaptionColor() const { return m_captionColor; }
    void SetCaptionColor(TColor color);
    bool ShowCaption() const { return m_showCaption; }
    void SetShowCaption(bool value);
    // Hides the caption while Position is at Min.
    bool SmartShowCaption() const { return m_smartShowCaption; }
    void SetSmartShowCaption(bool value);
    const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);

    // (Position - Min) * 100 div (Max - Min); 0 when Max = Min.
    int GetPercentFromPosition() const;
    // The filled part of `length`: nothing at or below Min (or with no
    // range), all of it past Max.
    int GetWidthFromPosition(int length) const;

protected:
    void Paint(TCanvas& canvas) override;

private:
    void UpdatePicture();
    void UpdateProgress();
    void UpdateBar(int length);

    int m_min = 0;
    int m_max = 100;
    int m_position = 50;
    TsuiUIStyle m_uiStyle = Custom;
    TsuiProgressBarOrientation m_orientation = suiHorizontal;
    TColor m_borderColor = clBlack;
    TPicture m_picture;
    bool m_showCaption = true;
    TColor m_captionColor = clBlack;
    bool m_smartShowCaption = false;
};
