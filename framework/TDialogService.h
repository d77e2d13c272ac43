#pragma once

#include "framework/TColor.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

// The answer of the colour dialog.
struct TColorPick
{
    bool Accepted = false;
    TColor Color = clBlack;
};

// One kind of file the save dialog offers.
struct TSaveOption
{
    QString Label;
    QString DefaultName; // proposed in the start folder
    bool Folder = false; // the choice names a folder to write into
};

// What the save dialog asks.
struct TSaveRequest
{
    QString Caption;
    QString Note; // shown above the buttons
    QList<TSaveOption> Options;
    QString StartFolder;
};

// The answer of the save dialog.
struct TSaveChoice
{
    bool Accepted = false;
    int Option = 0; // index into the request's options
    QString Path;
};

// Every modal box of the program goes through one service, so that tests can
// record the texts instead of blocking on a dialog.
class TDialogService
{
public:
    virtual ~TDialogService() = default;
    // Plain message: application title as caption, no icon, one "OK".
    virtual void ShowMessage(const QString& text) = 0;
    // Error display: stop icon, application title as caption, one OK. The
    // text arrives as it is to be shown (full stop already applied).
    virtual void ShowError(const QString& text) = 0;
    // Colour dialog starting at `initial` (a plain colour), its custom
    // colours given as "ColorA=bbggrr" lines (letters A to P, hex TColor).
    virtual TColorPick PickColor(TColor initial, const QStringList& customColors) = 0;
    // Where to save, and as which of the offered kinds.
    virtual TSaveChoice ChooseSaveFile(const TSaveRequest& request) = 0;
};

// The real boxes, modal and centred on the screen.
class TMessageBoxService : public TDialogService
{
public:
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    TColorPick PickColor(TColor initial, const QStringList& customColors) override;
    // Qt's own file dialog, one name filter per option; the program's windows
    // install a service with a dialog in their look.
    TSaveChoice ChooseSaveFile(const TSaveRequest& request) override;
};

// The service in use; TMessageBoxService until replaced.
TDialogService& DialogService();
// Installs a service and hands back the previous one (null restores the real boxes).
std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service);

void ShowMessage(const QString& text);
// Shows an error message through the error display, full-stop rule applied.
void ShowException(const QString& message);

// Runs an event handler; an escaping exception ends it and is shown by the
// error display: std::exception by its what() (UTF-8), anything else with an
// empty message. Returns false when the handler did not complete.
bool RunGuarded(const std::function<void()>& handler);
