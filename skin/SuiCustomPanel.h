#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"

#include <QString>

enum TsuiDrawStyle
{
    suiNormal,
    suiStretch,
    suiTile
};

// Flicker-free panel that can show a picture (once, stretched or tiled), let
// its parent show through, and write its text. The base of the group boxes
// and of the image panel.
class TsuiCustomPanel : public TCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "Picture,DrawStyle,Transparent,AutoSize,Alignment,CaptionPosX,CaptionPosY,"
                             "Caption,Color,Font,ParentColor,ParentFont")

public:
    explicit TsuiCustomPanel(QWidget* parent = nullptr);

    const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);
    TsuiDrawStyle DrawStyle() const { return m_drawStyle; }
    void SetDrawStyle(TsuiDrawStyle style);
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    // Takes the picture's size while a picture is loaded.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    // Horizontal placement of the text: Qt::AlignLeft, Qt::AlignRight or
    // Qt::AlignHCenter, always centred vertically.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);
    // -1 centres the text as Alignment says; otherwise its top-left corner.
    int CaptionPosX() const { return m_captionPosX; }
    int CaptionPosY() const { return m_captionPosY; }
    void SetCaptionPosX(int x);
    void SetCaptionPosY(int y);

protected:
    void Paint(TCanvas& canvas) override;
    // The text the panel writes over its picture.
    virtual QString PanelText() const { return Caption(); }
    virtual void PictureChanged();

private:
    void ApplyAutoSize();

    TPicture m_picture;
    TsuiDrawStyle m_drawStyle = suiNormal;
    bool m_transparent = false;
    bool m_autoSize = false;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    int m_captionPosX = -1;
    int m_captionPosY = -1;
};
