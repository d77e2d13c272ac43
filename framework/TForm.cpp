#include "framework/TForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void TForm::SetClientSize(int width, int height)
{
    setFixedSize(width, height);
}

void TForm::SetSizeableClientSize(int width, int height)
{
    resize(width, height);
}

void TForm::SetPosition(Position position, const QWidget* mainForm)
{
    m_position = position;
    m_mainForm = mainForm;
}

void TForm::Show()
{
    show();
    raise();
    activateWindow();
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar: stay where the user left it
    QRect area;
    if (m_position == Position::MainFormCenter && m_mainForm)
        area = m_mainForm->frameGeometry();
    else if (m_position != Position::Designed)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
    if (!area.isEmpty())
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}
