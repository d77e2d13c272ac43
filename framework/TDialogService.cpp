#include "framework/TDialogService.h"

#include "framework/TApplication.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <exception>

namespace {

std::unique_ptr<TDialogService>& InstalledService()
{
    // The one seam shared by the whole program.
    static std::unique_ptr<TDialogService> service = std::make_unique<TMessageBoxService>();
    return service;
}

// Centres itself once its final size is known, which is only at show time.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    }
};

void RunBox(QMessageBox::Icon icon, const QString& text)
{
    CentredMessageBox box(icon, ApplicationTitle(), text, QMessageBox::NoButton);
    // Always "OK", whatever language Qt would translate the standard button to.
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace

void TMessageBoxService::ShowMessage(const QString& text)
{
    RunBox(QMessageBox::NoIcon, text);
}

void TMessageBoxService::ShowError(const QString& text)
{
    RunBox(QMessageBox::Critical, text);
}

TColorPick TMessageBoxService::PickColor(TColor initial, const QStringList& customColors)
{
    for (const QString& line : customColors) {
        // "ColorA=00ff8040": the letter names the custom slot, the value a TColor.
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 6 || !line.startsWith(QLatin1String("Color"), Qt::CaseInsensitive))
            continue;
        const int slot = line.at(equals - 1).toUpper().unicode() - 'A';
        bool ok = false;
        const TColor value = line.mid(equals + 1).toUInt(&ok, 16);
        if (ok && slot >= 0 && slot < QColorDialog::customCount())
            QColorDialog::setCustomColor(slot, ToQColor(ColorToRGB(value)));
    }
    QColorDialog dialog(ToQColor(ColorToRGB(initial)));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return {false, initial};
    return {true, FromQColor(dialog.selectedColor())};
}

TSaveChoice TMessageBoxService::ChooseSaveFile(const TSaveRequest& request)
{
    QStringList filters;
    for (const TSaveOption& option : request.Options)
        filters << option.Label;
    QFileDialog dialog(nullptr, request.Caption, request.StartFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (!request.Options.isEmpty())
        dialog.selectFile(request.Options.front().DefaultName);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {true, int(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()))),
            dialog.selectedFiles().front()};
}

TDialogService& DialogService()
{
    return *InstalledService();
}

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service)
{
    if (!service)
        service = std::make_unique<TMessageBoxService>();
    std::swap(InstalledService(), service);
    return service;
}

void ShowMessage(const QString& text)
{
    DialogService().ShowMessage(text);
}

void ShowException(const QString& message)
{
    DialogService().ShowError(ErrorDisplayText(message));
}

bool RunGuarded(const std::function<void()>& handler)
{
    try {
        if (handler)
            handler();
        return true;
    } catch (const std::exception& error) {
        ShowException(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowException(QString());
    }
    return false;
}
