#pragma once

#include "framework/TColor.h"

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
};

// The real boxes, modal and centred on the screen.
class TMessageBoxService : public TDialogService
{
public:
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    TColorPick PickColor(TColor initial, const QStringList& customColors) override;
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
