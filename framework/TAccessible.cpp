#include "framework/TAccessible.h"

#include "framework/TForm.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

void ClickControlAt(QWidget* control, QPoint point)
{
    QPointer<QWidget> target = control;
    const QPointF local = point;
    const QPointF global = control->mapToGlobal(point);
    const QPointF scene = control->window()->mapFromGlobal(global.toPoint());
    const bool pointerInside = control->rect().contains(control->mapFromGlobal(QCursor::pos()));
    QEnterEvent enter(local, scene, global);
    QApplication::sendEvent(control, &enter);
    QMouseEvent press(QEvent::MouseButtonPress, local, scene, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    if (target)
        QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, scene, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    if (target)
        QApplication::sendEvent(target, &release);
    if (target && !pointerInside) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(target, &leave);
    }
}

void AnnounceStateChange(QObject* object, QAccessible::State changed, int child)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleStateChangeEvent event(object, changed);
    if (child >= 0)
        event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void AnnounceNameChange(QObject* object)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(object, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void AnnounceValueChange(QObject* object, int value)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(object, value);
    QAccessible::updateAccessibility(&event);
}

QString SpokenCaption(const QString& caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                spoken += caption[++i];
            continue;
        }
        spoken += caption[i];
    }
    return spoken;
}

TFormAccessible::TFormAccessible(TForm* form) : QAccessibleWidget(form, QAccessible::Window) {}

QString TFormAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    const QString name = widget()->accessibleName();
    if (!name.isEmpty())
        return name;
    QString caption = widget()->windowTitle();
    qsizetype blanks = 0;
    while (blanks < caption.size() && caption[blanks].isSpace())
        ++blanks;
    return caption.mid(blanks);
}

QAccessibleInterface* CreateFrameworkAccessible(QObject* object)
{
    if (auto* form = qobject_cast<TForm*>(object))
        return new TFormAccessible(form);
    return nullptr;
}
