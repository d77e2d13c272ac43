#pragma once

#include "framework/TFont.h"

#include <QString>
#include <QWidget>

class QEventLoop;

// The result a modal window closes with; mrNone keeps it open.
enum TModalResult : int
{
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

// A top-level window of the program. Windows are created once at start-up and
// afterwards only shown and hidden; closing a window hides it.
class TForm : public QWidget
{
    Q_OBJECT

public:
    enum class Position
    {
        Designed,
        DesktopCenter,
        MainFormCenter,
    };

    explicit TForm(QWidget* parent = nullptr);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // The window's font: every control on it that sets none of its own
    // (ParentFont) shows it, also through a skinned frame.
    // Built before it is copied, as TControl::Font() does.
    TFont Font() const
    {
        m_font.ToQFont();
        return m_font;
    }
    void SetFont(const TFont& font);

    // A single, fixed border: the window keeps exactly this client size.
    void SetClientSize(int width, int height);
    // A sizeable border: this is only the starting size.
    void SetSizeableClientSize(int width, int height);

    // Where the window is put each time it goes from hidden to shown.
    void SetPosition(Position position, const QWidget* mainForm = nullptr);

    // Shows the window, or brings it forward when it is already shown.
    void Show();

    // Shows the window modally and returns once ModalResult is set to
    // anything but mrNone or the window is closed (mrCancel).
    int ShowModal();
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TFont m_font;
    Position m_position = Position::Designed;
    const QWidget* m_mainForm = nullptr;
    int m_modalResult = mrNone;
    QEventLoop* m_modalLoop = nullptr;
};

// The window a control sits on, when it is one of the program's windows.
TForm* GetParentForm(const QWidget* control);

// The program's main window: the first TForm created (while it lives).
QWidget* ApplicationMainForm();
// Minimises every visible window of the program; restoring any one of them
// brings the others back with it.
void MinimizeApplication();
