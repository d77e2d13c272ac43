#include "shell/TweakInsightView.h"

#include "cli/ExportFiles.h"
#include "controls/Sncheckbox.h"
#include "framework/TDialogService.h"
#include "shell/ChangeLogWindow.h"
#include "shell/Unit1.h"
#include "tweaks/TweakDescriptions.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QStandardPaths>

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// What the export offers, in the dialog's order.
struct ExportChoice
{
    tessel::ExportFormat format;
    const char* label;
    const char* defaultName;
};

constexpr ExportChoice kExportChoices[] = {
    {tessel::ExportFormat::Profile, "Tessel 配置文件（.json）", "tessel-profile.json"},
    {tessel::ExportFormat::Reg, "注册表文件（.reg）", "tessel.reg"},
    {tessel::ExportFormat::Ansible, "Ansible 剧本（.yml）", "tessel.yml"},
    {tessel::ExportFormat::Pol, "组策略 Registry.pol（文件夹）", "tessel-gpo"},
    {tessel::ExportFormat::Admx, "管理模板 ADMX/ADML（文件夹）", "tessel-admx"},
};

} // namespace

TDriftMarker::TDriftMarker(QWidget* parent) : QWidget(parent)
{
    resize(kSize, kSize);
    setVisible(false);
}

void TDriftMarker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xB0, 0x6A, 0x00));
    painter.setBrush(QColor(0xF5, 0xA6, 0x23));
    painter.drawEllipse(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The exclamation mark: a bar and a dot, centred.
    painter.fillRect(QRect(kSize / 2 - 1, 2, 2, 5), Qt::white);
    painter.fillRect(QRect(kSize / 2 - 1, 8, 2, 1), Qt::white);
}

TTweakInsight::TTweakInsight(TForm1& form, tessel::RegistryBackend& registry)
    : QObject(&form), m_form(form), m_registry(registry),
      m_log(std::make_unique<tessel::ChangeLog>(tessel::ChangeLog::DefaultPath())),
      m_notifier(tessel::MakeSystemNotifier())
{
    m_context.source = tessel::ChangeSource::Window;
    m_context.log = m_log.get();
    m_context.notifier = m_notifier.get();
    for (const tessel::TweakEntry& tweak : tessel::Catalogue()) {
        TSnCheckBox* box = form.CheckBox(tweak);
        box->setToolTip(Utf8(tessel::DescriptionText(tweak)));
        auto* marker = new TDriftMarker(box->parentWidget());
        const QRect place = box->geometry();
        marker->move(place.x() + place.width() + 3, place.top() + (place.height() - TDriftMarker::kSize) / 2);
        m_markers[&tweak] = marker;
        box->installEventFilter(this);
        marker->installEventFilter(this);
        box->parentWidget()->installEventFilter(this);
    }
}

TTweakInsight::~TTweakInsight() = default;

TDriftMarker* TTweakInsight::Marker(const tessel::TweakEntry& tweak) const
{
    const auto it = m_markers.find(&tweak);
    return it == m_markers.end() ? nullptr : it->second;
}

void TTweakInsight::Refresh()
{
    for (const tessel::RowState& row : tessel::ClassifyAll(m_registry)) {
        TDriftMarker* marker = Marker(*row.tweak);
        const bool ticked = m_form.IsTicked(*row.tweak);
        const bool drift = tessel::IsDrift(row, ticked);
        marker->setToolTip(drift ? Utf8(tessel::DriftText(row, ticked)) : QString());
        marker->setVisible(drift);
    }
}

const tessel::TweakEntry* TTweakInsight::RowAt(QObject* watched, QPoint pos) const
{
    for (const auto& [tweak, marker] : m_markers) {
        TSnCheckBox* box = m_form.CheckBox(*tweak);
        if (watched == box || watched == marker)
            return tweak;
        if (watched == box->parentWidget() &&
            (box->geometry().contains(pos) || (marker->isVisible() && marker->geometry().contains(pos))))
            return tweak;
    }
    return nullptr;
}

bool TTweakInsight::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || !m_form.IsEditing())
        return QObject::eventFilter(watched, event);
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    const std::unique_ptr<QMenu> menu(BuildMenu(RowAt(watched, menuEvent->pos()), &m_form));
    menu->exec(menuEvent->globalPos());
    return true;
}

QMenu* TTweakInsight::BuildMenu(const tessel::TweakEntry* row, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    QAction* restoreRow = menu->addAction(QStringLiteral("恢复此项的原始值"));
    QAction* restoreAll = menu->addAction(QStringLiteral("全部恢复原始值"));
    menu->addSeparator();
    QAction* showLog = menu->addAction(QStringLiteral("查看更改记录…"));
    QAction* copy = menu->addAction(QStringLiteral("复制注册表位置"));
    restoreRow->setEnabled(row != nullptr);
    copy->setEnabled(row != nullptr);
    if (row) {
        connect(restoreRow, &QAction::triggered, this, [this, row] { RestoreRows(std::span(&row, 1)); });
        connect(copy, &QAction::triggered, this, [this, row] { CopyLocation(*row); });
    }
    connect(restoreAll, &QAction::triggered, this, &TTweakInsight::RestoreEveryRow);
    connect(showLog, &QAction::triggered, this, &TTweakInsight::ShowLog);
    menu->addSeparator();
    QAction* exportSettings = menu->addAction(QStringLiteral("导出设置…"));
    connect(exportSettings, &QAction::triggered, this, &TTweakInsight::ExportSettings);
    return menu;
}

void TTweakInsight::RestoreRows(std::span<const tessel::TweakEntry* const> rows)
{
    // Changes are for a logged-in user only, as the passes are.
    if (!m_form.IsEditing())
        return;
    ShowRestored(tessel::Restore(m_registry, rows, m_context), rows.size() == 1);
}

void TTweakInsight::RestoreEveryRow()
{
    if (!m_form.IsEditing())
        return;
    ShowRestored(tessel::RestoreAll(m_registry, m_context), false);
}

void TTweakInsight::ShowRestored(const tessel::RestoreReport& report, bool oneRow)
{
    QStringList lines;
    for (const tessel::RestoreResult& result : report.rows) {
        // The box follows the mirror, which follows what the registry now holds.
        if (result.outcome == tessel::RestoreOutcome::Restored ||
            result.outcome == tessel::RestoreOutcome::StoreError)
            m_form.SetTicked(*result.tweak, result.state == tessel::RealState::Applied);
        if (result.outcome != tessel::RestoreOutcome::NothingRecorded || oneRow) {
            QString line = Utf8(result.tweak->caption) + QStringLiteral("：") +
                           Utf8(tessel::RestoreOutcomeText(result.outcome));
            if (result.error)
                line += QStringLiteral("（错误 %1）").arg(result.error);
            lines << line;
        }
    }
    if (lines.isEmpty())
        lines << QStringLiteral("没有记录过原始值，没有可恢复的内容。");
    if (!report.logError.empty())
        lines << QStringLiteral("更改记录无法写入：") + Utf8(report.logError);
    Refresh();
    ShowMessage(lines.join(QLatin1Char('\n')));
}

void TTweakInsight::ShowLog()
{
    if (!m_logWindow) {
        m_logWindow = std::make_unique<TChangeLogForm>(*m_log);
        m_logWindow->SetPosition(TForm::Position::MainFormCenter, &m_form);
    }
    m_logWindow->ShowRecent();
}

void TTweakInsight::CopyLocation(const tessel::TweakEntry& row)
{
    QGuiApplication::clipboard()->setText(Utf8(tessel::RowLocations(row)));
}

void TTweakInsight::ExportSettings()
{
    if (!m_form.IsEditing())
        return;
    TSaveRequest request;
    request.Caption = QStringLiteral("导出设置");
    // Two lines: the label breaks at line ends only, Chinese having no blanks to break at.
    request.Note = QStringLiteral("导出的是各复选框现在的勾选：尚未按“确定”应用的勾选\n"
                                  "也按已勾选导出。管理模板与勾选无关。");
    request.StartFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (const ExportChoice& choice : kExportChoices)
        request.Options.push_back({QString::fromUtf8(choice.label), QString::fromUtf8(choice.defaultName),
                                   tessel::IsFolderFormat(choice.format)});
    const TSaveChoice answer = DialogService().ChooseSaveFile(request);
    if (!answer.Accepted || answer.Option < 0 || answer.Option >= int(std::size(kExportChoices)))
        return;
    try {
        tessel::WriteExport(std::filesystem::path(answer.Path.toStdU16String()),
                            tessel::ExportFiles(kExportChoices[answer.Option].format, m_form));
    } catch (const std::exception& error) {
        ShowException(QStringLiteral("导出失败：") + QString::fromUtf8(error.what()));
        return;
    }
    ShowMessage(QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(answer.Path)));
}
