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
        Error
    };
    struct Entry
    {
        Kind Type;
        QString Text;
        bool operator==(const Entry&) const = default;
    };

    TDialogRecorder() : m_previous(SetDialogService(std::make_unique<Sink>(m_entries))) {}
    ~TDialogRecorder() { SetDialogService(std::move(m_previous)); }
    TDialogRecorder(const TDialogRecorder&) = delete;
    TDialogRecorder& operator=(const TDialogRecorder&) = delete;

    const std::vector<Entry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    class Sink : public TDialogService
    {
    public:
        explicit Sink(std::vector<Entry>& entries) : m_entries(entries) {}
        void ShowMessage(const QString& text) override { m_entries.push_back({Kind::Message, text}); }
        void ShowError(const QString& text) override { m_entries.push_back({Kind::Error, text}); }

    private:
        std::vector<Entry>& m_entries;
    };

    std::vector<Entry> m_entries;
    std::unique_ptr<TDialogService> m_previous;
};
