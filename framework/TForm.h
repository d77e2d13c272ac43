#pragma once

#include <QString>
#include <QWidget>

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

    // A single, fixed border: the window keeps exactly this client size.
    void SetClientSize(int width, int height);
    // A sizeable border: this is only the starting size.
    void SetSizeableClientSize(int width, int height);

    // Where the window is put each time it goes from hidden to shown.
    void SetPosition(Position position, const QWidget* mainForm = nullptr);

    // Shows the window, or brings it forward when it is already shown.
    void Show();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Position m_position = Position::Designed;
    const QWidget* m_mainForm = nullptr;
};
