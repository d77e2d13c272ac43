#include "shell/ChangeLogWindow.h"

#include "controls/Snmemo.h"
#include "skin/SuiButton.h"
#include "skin/SuiForm.h"
#include "windowkit/WindowFrame.h"

#include <QPlainTextEdit>

#include <deque>

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
    // Only the latest are kept while the log streams by, whatever its size.
    std::deque<tessel::ChangeRecord> records;
    const std::string error = m_log.ReadEach({}, [&](tessel::ChangeRecord&& record) {
        records.push_back(std::move(record));
        if (records.size() > kShownRecords)
            records.pop_front();
    });
    QStringList lines;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        const std::string text = tessel::RecordText(*it);
        lines += QString::fromUtf8(text.data(), qsizetype(text.size())).split(QLatin1Char('\n'));
    }
    if (!error.empty())
        lines << QStringLiteral("更改记录无法读取：") +
                     QString::fromUtf8(error.data(), qsizetype(error.size()));
    if (lines.isEmpty())
        lines << QStringLiteral("还没有更改记录。（%1）").arg(QString::fromStdString(m_log.Path().string()));
    SnMemo1->SetLines(lines);
    Show();
}
