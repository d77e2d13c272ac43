#pragma once

#include "tweaks/ChangeLog.h"
#include "tweaks/RecordedPasses.h"

#include <QObject>
#include <QWidget>

#include <map>
#include <memory>
#include <span>
#include <vector>

class QMenu;
class TChangeLogForm;
class TForm1;

// A small amber disc with an exclamation mark beside a tweak's caption: the
// registry no longer holds what the box stands for.
class TDriftMarker final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kSize = 11;
    explicit TDriftMarker(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// What the main window shows beyond its specified controls: descriptions as
// tooltips, drift markers, and the tweak pages' context menu with restore,
// the change log, the registry location and the export of the ticks.
class TTweakInsight final : public QObject
{
    Q_OBJECT

public:
    TTweakInsight(TForm1& form, tessel::RegistryBackend& registry);
    ~TTweakInsight() override;

    // The passes' context: the window as source, the log, the system broadcast.
    const tessel::ChangeContext& Context() const { return m_context; }
    const tessel::ChangeLog& Log() const { return *m_log; }

    // Reads every row's real state and shows a marker where it differs from the tick.
    void Refresh();
    TDriftMarker* Marker(const tessel::TweakEntry& tweak) const;

    // The context menu for a row, or for the page outside any row; the caller owns it.
    QMenu* BuildMenu(const tessel::TweakEntry* row, QWidget* parent);

    void RestoreRows(std::span<const tessel::TweakEntry* const> rows);
    void RestoreEveryRow();
    // Ticks the restored rows' boxes after the mirror and reports each row;
    // rows without a record are named only when one row was asked for.
    void ShowRestored(const tessel::RestoreReport& report, bool oneRow);
    void ShowLog();
    void CopyLocation(const tessel::TweakEntry& row);
    // Asks where to and as what, then writes the boxes' current ticks (applied or not).
    void ExportSettings();
    TChangeLogForm* LogWindow() const { return m_logWindow.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const tessel::TweakEntry* RowAt(QObject* watched, QPoint pos) const;

    TForm1& m_form;
    tessel::RegistryBackend& m_registry;
    std::unique_ptr<tessel::ChangeLog> m_log;
    std::unique_ptr<tessel::SettingNotifier> m_notifier;
    tessel::ChangeContext m_context;
    std::map<const tessel::TweakEntry*, TDriftMarker*> m_markers;
    std::unique_ptr<TChangeLogForm> m_logWindow;
};
