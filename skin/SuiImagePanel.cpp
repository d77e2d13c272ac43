#include "skin/SuiImagePanel.h"

#include "skin/SuiStyleRules.h"

#include <QEvent>
#include <algorithm>

TsuiImagePanel::TsuiImagePanel(QWidget* parent) : TsuiCustomPanel(parent) {}

void TsuiImagePanel::SetBorderWidth(int value)
{
    m_borderWidth = std::max(value, 0);
    setContentsMargins(m_borderWidth, m_borderWidth, m_borderWidth, m_borderWidth);
    // Aligned panels inside follow the new room.
    for (QObject* child : children())
        if (auto* panel = qobject_cast<TsuiImagePanel*>(child))
            panel->ApplyAlign();
}

void TsuiImagePanel::SetAlign(TAlign align)
{
    m_align = align;
    if (parentWidget() != m_watchedParent) {
        if (m_watchedParent)
            m_watchedParent->removeEventFilter(this);
        m_watchedParent = parentWidget();
        if (m_watchedParent != nullptr)
            m_watchedParent->installEventFilter(this);
    }
    ApplyAlign();
}

void TsuiImagePanel::ApplyAlign()
{
    QWidget* parent = parentWidget();
    if (m_align == alNone || parent == nullptr)
        return;
    const QRect room = parent->contentsRect();
    switch (m_align) {
    case alTop:
        setGeometry(room.left(), room.top(), room.width(), height());
        break;
    case alBottom:
        setGeometry(room.left(), room.bottom() + 1 - height(), room.width(), height());
        break;
    case alLeft:
        setGeometry(room.left(), room.top(), width(), room.height());
        break;
    case alRight:
        setGeometry(room.right() + 1 - width(), room.top(), width(), room.height());
        break;
    case alClient:
        setGeometry(room);
        break;
    case alNone:
        break;
    }
}

bool TsuiImagePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedParent && watched == parentWidget() && event->type() == QEvent::Resize)
        ApplyAlign();
    return TsuiCustomPanel::eventFilter(watched, event);
}

void TsuiImagePanel::UpdateUIStyle(TsuiUIStyle style)
{
    ContainerApplyUIStyle(this, style);
}
