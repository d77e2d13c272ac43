#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPoint>
#include <QString>

class TForm;

// What a left click on the control does, driven from outside: the pointer
// enters, presses and releases the left button at the point, and leaves again
// unless it really is over the control. Screen readers' actions go through
// here, so that they run exactly the handlers a click runs.
void ClickControlAt(QWidget* control, QPoint point);

// Announcements to assistive technology; they cost nothing while none listens.
void AnnounceStateChange(QObject* object, QAccessible::State changed, int child = -1);
void AnnounceNameChange(QObject* object);
void AnnounceValueChange(QObject* object, int value);

// A caption as spoken: accelerator markers removed ("&&" stays one "&").
QString SpokenCaption(const QString& caption);

// A program window: named by its caption without the leading blanks the
// caption is laid out with.
class TFormAccessible : public QAccessibleWidget
{
public:
    explicit TFormAccessible(TForm* form);
    QString text(QAccessible::Text t) const override;
};

// The interfaces the framework's own classes need; nullptr for other objects.
QAccessibleInterface* CreateFrameworkAccessible(QObject* object);
