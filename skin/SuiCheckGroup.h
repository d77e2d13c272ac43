#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"
#include "skin/Suithemes.h"

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
class TsuiCustomPanel : public TControl
{
    Q_OBJECT

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

// A frame in BorderColor whose top edge is broken by the caption. Children
// are placed inside at the positions given; disabling the box disables them.
class TsuiCustomGroupBox : public TsuiCustomPanel
{
    Q_OBJECT

public:
    explicit TsuiCustomGroupBox(QWidget* parent = nullptr);

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor color);

    // The room inside the frame.
    TRect GetClient() const;

    // Pushes a style to the skinned children.
    virtual void UpdateUIStyle(TsuiUIStyle style);

protected:
    void Paint(TCanvas& canvas) override;
    QString PanelText() const override { return {}; }

private:
    TColor m_borderColor = clBlack;
};

class TsuiGroupBox : public TsuiCustomGroupBox
{
    Q_OBJECT

public:
    explicit TsuiGroupBox(QWidget* parent = nullptr);
};

// A group box with a look of its own. The windows use it as a captioned
// frame around their command buttons.
class TsuiCheckGroup : public TsuiCustomGroupBox
{
    Q_OBJECT

public:
    explicit TsuiCheckGroup(QWidget* parent = nullptr);

    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TsuiUIStyle style);

    // Border colour, caption colour and, unless the colour follows the
    // parent, the face colour of the style; children keep their own look.
    void UpdateUIStyle(TsuiUIStyle style) override;

private:
    TsuiUIStyle m_uiStyle = Custom;
};
