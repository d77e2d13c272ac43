#pragma once

#include "framework/TDialogService.h"

#include <QString>
#include <vector>

// Test seam: while alive, every message and error box is recorded instead of
// shown; the previous service comes back on destruction.
class TDialogRecorder
{
public:
    enum class Kind
    {
        Message,
        Error,
        ColorPick, // Text: the initial colour as 8 hex digits, then the custom lines, '\n'-separated
        SaveFile   // Text: caption, note, then "label|default name|folder" per option, '\n'-separated
    };
    struct Entry
    {
        Kind Type;
        QString Text;
        bool operator==(const Entry&) const = default;
    };

    TDialogRecorder()
        : m_previous(SetDialogService(std::make_unique<Sink>(m_entries, m_colorAnswer, m_saveAnswer)))
    {
    }
    ~TDialogRecorder() { SetDialogService(std::move(m_previous)); }
    TDialogRecorder(const TDialogRecorder&) = delete;
    TDialogRecorder& operator=(const TDialogRecorder&) = delete;

    const std::vector<Entry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }
    // What every colour pick answers from now on; cancelled until set.
    void AnswerColorPicks(TColorPick answer) { m_colorAnswer = answer; }
    // What every save dialog answers from now on; cancelled until set.
    void AnswerSaveFiles(TSaveChoice answer) { m_saveAnswer = answer; }

private:
    class Sink : public TDialogService
    {
    public:
        Sink(std::vector<Entry>& entries, const TColorPick& colorAnswer, const TSaveChoice& saveAnswer)
            : m_entries(entries), m_colorAnswer(colorAnswer), m_saveAnswer(saveAnswer)
        {
        }
        void ShowMessage(const QString& text) override { m_entries.push_back({Kind::Message, text}); }
        void ShowError(const QString& text) override { m_entries.push_back({Kind::Error, text}); }
        TColorPick PickColor(TColor initial, const QStringList& customColors) override
        {
            QStringList text{QStringLiteral("%1").arg(initial, 8, 16, QLatin1Char('0'))};
            text << customColors;
            m_entries.push_back({Kind::ColorPick, text.join(QLatin1Char('\n'))});
            return m_colorAnswer;
        }
        TSaveChoice ChooseSaveFile(const TSaveRequest& request) override
        {
            QStringList text{request.Caption, request.Note};
            for (const TSaveOption& option : request.Options)
                text << option.Label + QLatin1Char('|') + option.DefaultName + QLatin1Char('|') +
                            (option.Folder ? QStringLiteral("folder") : QStringLiteral("file"));
            m_entries.push_back({Kind::SaveFile, text.join(QLatin1Char('\n'))});
            return m_saveAnswer;
        }

    private:
        std::vector<Entry>& m_entries;
        const TColorPick& m_colorAnswer;
        const TSaveChoice& m_saveAnswer;
    };

    std::vector<Entry> m_entries;
    TColorPick m_colorAnswer;
    TSaveChoice m_saveAnswer;
    std::unique_ptr<TDialogService> m_previous;
};
