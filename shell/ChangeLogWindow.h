#pragma once

#include "framework/TForm.h"
#include "tweaks/ChangeLog.h"

class TSnMemo;
class TsuiButton;
class TsuiForm;

// A skinned, read-only view of the most recent change-log records, newest first.
class TChangeLogForm final : public TForm
{
    Q_OBJECT

public:
    static constexpr int kShownRecords = 200;

    explicit TChangeLogForm(const tessel::ChangeLog& log);

    TsuiForm* suiForm1;
    TSnMemo* SnMemo1;
    TsuiButton* suiButton1;

    // Reads the log again and shows the window.
    void ShowRecent();

private:
    const tessel::ChangeLog& m_log;
};
