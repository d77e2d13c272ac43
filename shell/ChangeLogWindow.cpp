#include "shell/ChangeLogWindow.h"

#include "access/WindowFrame.h"
#include "controls/Snmemo.h"
#include "skin/SuiButton.h"
#include "skin/SuiForm.h"

#include <QPlainTextEdit>

TChangeLogForm::TChangeLogForm(const tessel::ChangeLog& log) : m_log(log)
{
    SetCaption(QStringLiteral("       更改记录"));
    SetSizeableClientSize(560, 320);
    suiForm1 = CreateWindowFrame(this);
    suiForm1->SetSizeable(true);

    SnMemo1 = new TSnMemo(suiForm1);
    SnMemo1->SetBounds(8, 27, 542, 252);
    SnMemo1->SetReadOnly(true);
    SnMemo1->SetWordWrap(false);
    SnMemo1->SetScrollBars(ssBoth);

    suiButton1 = CreateDialogButton(suiForm1, QStringLiteral("关闭"), 480, 288);
    suiButton1->OnClick = [this](QObject*) { close(); };
    setTabOrder(SnMemo1, suiButton1);
}

void TChangeLogForm::ShowRecent()
{
    const std::vector<tessel::ChangeRecord> records = m_log.Read();
    QStringList lines;
    const std::size_t shown = std::min<std::size_t>(records.size(), kShownRecords);
    for (std::size_t i = 0; i < shown; ++i) {
        const std::string text = tessel::RecordText(records[records.size() - 1 - i]);
        lines += QString::fromUtf8(text.data(), qsizetype(text.size())).split(QLatin1Char('\n'));
    }
    if (lines.isEmpty())
        lines << QStringLiteral("还没有更改记录。（%1）").arg(QString::fromStdString(m_log.Path().string()));
    SnMemo1->SetLines(lines);
    Show();
}
