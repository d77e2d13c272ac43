#pragma once

#include "framework/TControl.h"
#include "skin/SuiCustomPanel.h"
#include "skin/Suithemes.h"

#include <QPointer>

// The picture panel as a component of its own: a picture drawn once,
// stretched or tiled, optionally over its parent's background, with its
// caption. The track bar's slider is one.
class TsuiImagePanel : public TsuiCustomPanel
{
    Q_OBJECT
    Q_CLASSINFO("Published", "BorderWidth,Align,Anchors,BiDiMode,OnCanResize,OnClick,OnConstrainedResize,"
                             "OnDblClick,OnDockDrop,OnDockOver,OnDragDrop,OnDragOver,OnEndDock,OnEndDrag,"
                             "OnEnter,OnExit,OnGetSiteInfo,OnMouseDown,OnMouseMove,OnMouseUp,OnResize,"
                             "OnStartDock,OnStartDrag,OnUnDock")

public:
    explicit TsuiImagePanel(QWidget* parent = nullptr);

    // Pushes a style to the skinned controls inside.
    void UpdateUIStyle(TsuiUIStyle style);

    // Insets the room that aligned controls inside fill; the picture still
    // covers the whole panel.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    // Keeps the panel at an edge of its parent's room (or filling it) as the
    // parent resizes; each aligned panel takes the whole room, they do not stack.
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyAlign();

    int m_borderWidth = 0;
    TAlign m_align = alNone;
    QPointer<QWidget> m_watchedParent;
};
