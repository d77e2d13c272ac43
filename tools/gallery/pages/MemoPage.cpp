#include "tools/gallery/GalleryPage.h"

#include "skin/SuiCheckGroup.h"
#include "skin/SuiEdit.h"
#include "skin/SuiScrollBar.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

QStringList LongText()
{
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral(
                     "%1. 设置成功，重启生效！ The quick brown fox jumps over the lazy dog, line %1.")
                     .arg(i);
    return lines;
}

void BuildMemoPage(QWidget* stage, TsuiUIStyle look)
{
    TsuiGroupBox* box = Section(stage, QStringLiteral("TsuiMemo / TsuiEdit"), 8, 4, 624, 392);

    // A memo with both skinned bars over its native ones, scrolled a little.
    auto* memo = new TsuiMemo(box);
    memo->SetBounds(10, 24, 360, 220);
    memo->SetWordWrap(false);
    memo->SetLines(LongText());
    auto* vertical = new TsuiScrollBar(box);
    vertical->SetUIStyle(look);
    auto* horizontal = new TsuiScrollBar(box);
    horizontal->SetUIStyle(look);
    memo->SetVScrollBar(vertical);
    memo->SetHScrollBar(horizontal);
    memo->Edit()->verticalScrollBar()->setValue(12);
    memo->Edit()->horizontalScrollBar()->setValue(40);

    // A memo whose text fits: its bar is disabled and shows no slider.
    auto* fits = new TsuiMemo(box);
    fits->SetBounds(390, 24, 220, 100);
    fits->SetLines({QStringLiteral("短文本"), QStringLiteral("Short text fits.")});
    auto* idle = new TsuiScrollBar(box);
    idle->SetUIStyle(look);
    fits->SetVScrollBar(idle);

    // A word-wrapping memo with only the vertical bar.
    auto* wrapped = new TsuiMemo(box);
    wrapped->SetBounds(390, 136, 220, 108);
    wrapped->SetLines(LongText().mid(0, 8));
    auto* side = new TsuiScrollBar(box);
    side->SetUIStyle(look);
    wrapped->SetVScrollBar(side);

    // Edits: plain, password, read-only and disabled.
    const char* const captions[] = {"Edit", "secret", "read only", "disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* edit = new TsuiEdit(box);
        edit->SetBounds(10 + i * 150, 264, 140, 21);
        edit->SetBorderColor(GetThemeColor(look, teControlBorderColor));
        edit->SetText(QString::fromLatin1(captions[i]));
        if (i == 1)
            edit->SetPasswordChar(QLatin1Char('*'));
        if (i == 2)
            edit->SetReadOnly(true);
        if (i == 3)
            edit->SetEnabled(false);
    }
    auto* login = new TsuiEdit(box);
    login->SetBounds(10, 300, 121, 19);
    login->SetBorderColor(clBlack);
    login->SetPasswordChar(QLatin1Char('*'));
    login->SetText(QStringLiteral("password"));
}

const GalleryPageRegistrar page(QStringLiteral("Memo"), 50, BuildMemoPage);

} // namespace
