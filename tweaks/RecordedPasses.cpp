#include "tweaks/RecordedPasses.h"

#include "tweaks/NameFolding.h"
#include "tweaks/Originals.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakDescriptions.h"

#include <iterator>
#include <map>
#include <optional>

namespace tessel {
namespace {

std::string ToUtf8(std::string_view ansi)
{
    return IsValidAnsiName(ansi) ? AnsiToUtf8(ansi) : std::string(ansi);
}

bool SameName(std::string_view a, std::string_view b)
{
    return IsValidAnsiName(a) && IsValidAnsiName(b) ? FoldName(a) == FoldName(b) : a == b;
}

// Sits between a pass and the registry: records each value's original before
// its first change and writes down what every write and deletion did.
class ChangeRecorder final : public RegistryBackend, public PassObserver
{
public:
    ChangeRecorder(RegistryBackend& inner, const ChangeContext& context, ChangeOperation operation)
        : inner_(inner), context_(context), operation_(operation)
    {
    }

    void RowStarting(const TweakEntry& tweak, bool apply) override
    {
        row_ = &tweak;
        apply_ = apply;
        mirrorOpenError_ = 0;
    }

    // A store error that raised before reaching the registry (a mirror key
    // that would not open) is written down here.
    void NoteError(const std::string& message)
    {
        if (row_ && mirrorOpenError_) {
            ChangeRecord record = Record(Hive::CurrentUser, kMirrorKey, row_->mirrorValue);
            record.outcome = ChangeOutcome::StoreError;
            record.error = mirrorOpenError_;
            record.message = message;
            records_.push_back(std::move(record));
            mirrorOpenError_ = 0;
        }
    }

    // Appends what was recorded since the last call in one go.
    template <typename Report> void Flush(Report& report)
    {
        if (context_.log && !records_.empty())
            if (std::string error = context_.log->Append(records_); !error.empty() && report.logError.empty())
                report.logError = std::move(error);
        report.records.insert(report.records.end(), std::make_move_iterator(records_.begin()),
                              std::make_move_iterator(records_.end()));
        records_.clear();
    }

    // Appends the rest and tells the system if anything changed.
    template <typename Report> void Finish(Report& report)
    {
        Flush(report);
        if (context_.notifier && ShouldNotify(report.records))
            report.notified = context_.notifier->BroadcastPolicyChange();
    }

protected:
    long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) override
    {
        const long rc = inner_.CreateKey(hive, path, access, key);
        if (rc == status::Success) {
            open_[key] = OpenKey{hive, std::string(path)};
            return rc;
        }
        if (!row_)
            return rc;
        if (hive == Hive::CurrentUser && SameName(path, kMirrorKey)) {
            mirrorOpenError_ = rc;
            return rc;
        }
        // The values of this key and of any later key of the row stay untouched.
        bool reached = false;
        for (const TweakWrite& write : row_->writes) {
            reached |= hive == row_->hive && SameName(write.keyPath, path);
            if (!reached)
                continue;
            ChangeRecord record = Record(row_->hive, write.keyPath, write.valueName);
            record.after = Intended(write);
            record.outcome = ChangeOutcome::OpenFailed;
            record.error = rc;
            if (operation_ != ChangeOperation::Restore)
                record.message = RegistryMessage(apply_ ? row_->applyMessage : row_->revertMessage);
            records_.push_back(std::move(record));
        }
        return rc;
    }

    long DoOpenKey(Hive hive, std::string_view path, Handle& key) override
    {
        return inner_.OpenKey(hive, path, key);
    }

    long DoQueryValue(Handle key, std::string_view name, RegValue& value) override
    {
        return Query(key, name, value);
    }

    long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override
    {
        ValueState after;
        after.present = true;
        after.value.type = type;
        after.value.data.assign(data, data + size);
        return Track(key, name, after, [&] { return inner_.SetValue(key, name, type, data, size); });
    }

    long DoDeleteValue(Handle key, std::string_view name) override
    {
        return Track(key, name, ValueState{}, [&] { return inner_.DeleteValue(key, name); });
    }

    long DoCloseKey(Handle key) override
    {
        open_.erase(key);
        return inner_.CloseKey(key);
    }

    std::unique_ptr<PassLock> DoLockForPass(const LockWaitNotice& notice) override
    {
        return inner_.LockForPass(notice);
    }

    // The records of writes that a failed commit took back say so.
    std::unique_ptr<StoreBatch> DoBeginBatch() override
    {
        auto inner = inner_.BeginBatch();
        if (!inner)
            return nullptr;
        return std::make_unique<Batch>(*this, std::move(inner));
    }

private:
    struct OpenKey
    {
        Hive hive;
        std::string path;
    };

    class Batch final : public StoreBatch
    {
    public:
        Batch(ChangeRecorder& owner, std::unique_ptr<StoreBatch> inner)
            : owner_(owner), inner_(std::move(inner)), from_(owner.records_.size())
        {
        }
        ~Batch() override { Commit(); }
        long Commit() override
        {
            const long rc = inner_->Commit();
            auto& records = owner_.records_;
            if (rc != status::Success)
                for (std::size_t i = from_; i < records.size(); ++i)
                    if (records[i].outcome == ChangeOutcome::Done) {
                        records[i].outcome = ChangeOutcome::StoreError;
                        records[i].error = rc;
                        if (records[i].after && records[i].after->present)
                            records[i].message = "Failed to set data for '" + records[i].value + "'";
                    }
            from_ = records.size();
            return rc;
        }

    private:
        ChangeRecorder& owner_;
        std::unique_ptr<StoreBatch> inner_;
        std::size_t from_;
    };

    long Query(Handle key, std::string_view name, RegValue& value)
    {
        return inner_.QueryWholeValue(key, name, value);
    }

    ChangeRecord Record(Hive hive, std::string_view key, std::string_view value) const
    {
        ChangeRecord record;
        record.time = IsoTime(context_.now());
        record.account = context_.account;
        record.source = context_.source;
        record.operation = operation_;
        record.row = static_cast<int>(RowIndex(*row_)) + 1;
        record.tweak = std::string(row_->mirrorValue);
        record.hive = hive;
        record.key = ToUtf8(key);
        record.value = ToUtf8(value);
        return record;
    }

    std::optional<ValueState> Intended(const TweakWrite& write) const
    {
        if (operation_ == ChangeOperation::Restore)
            return ReadOriginal(inner_, *row_, write);
        ValueState state;
        state.present = ActionValue(apply_ ? write.applied : write.reverted, state.value);
        return state;
    }

    template <typename Operation>
    long Track(Handle key, std::string_view name, const ValueState& after, Operation op)
    {
        const auto open = open_.find(key);
        if (!row_ || open == open_.end())
            return op();
        const OpenKey& where = open->second;
        const TweakWrite* write = nullptr;
        if (where.hive == row_->hive)
            for (const TweakWrite& candidate : row_->writes)
                if (SameName(candidate.keyPath, where.path) && SameName(candidate.valueName, name))
                    write = &candidate;
        const bool mirror = where.hive == Hive::CurrentUser && SameName(where.path, kMirrorKey) &&
                            SameName(name, row_->mirrorValue);
        if (!write && !mirror)
            return op();

        std::optional<ValueState> before;
        RegValue prior;
        const long read = Query(key, name, prior);
        if (read == status::Success || read == status::FileNotFound)
            before = ValueState{read == status::Success, prior};
        // The first change of a tweak value keeps what was there before.
        if (write && before)
            RecordOriginal(inner_, *row_, *write, *before);

        long rc = op();
        // Deleting what is not there changes nothing and is no failure.
        const bool done = rc == status::Success || (!after.present && rc == status::FileNotFound);
        if (done && before && *before == after)
            return rc;
        ChangeRecord record = Record(where.hive, where.path, name);
        record.before = before;
        record.after = after;
        if (!done) {
            record.outcome = ChangeOutcome::StoreError;
            record.error = rc;
            if (after.present)
                record.message = "Failed to set data for '" + ToUtf8(name) + "'";
        }
        records_.push_back(std::move(record));
        return rc;
    }

    RegistryBackend& inner_;
    const ChangeContext& context_;
    ChangeOperation operation_;
    const TweakEntry* row_ = nullptr;
    bool apply_ = false;
    long mirrorOpenError_ = 0;
    std::map<Handle, OpenKey> open_;
    std::vector<ChangeRecord> records_;
};

// The log is written under the same lock as the pass, so that two programs
// never rotate it at once; the pass's messages follow once the lock is free.
template <typename Pass> PassReport RunRecorded(ChangeRecorder& recorder, MessageSink& messages, Pass pass)
{
    PassReport report;
    RunLockedPass(recorder, messages, [&](MessageSink& held) {
        try {
            report.ran = pass(held);
        } catch (const std::exception& error) {
            recorder.NoteError(error.what());
            recorder.Finish(report);
            throw;
        }
        recorder.Finish(report);
    });
    return report;
}

// Restores one row through the recorder; its mirror follows the result.
RestoreResult RestoreRow(RegistryBackend& inner, ChangeRecorder& recorder, const TweakEntry& tweak)
{
    RestoreResult result;
    result.tweak = &tweak;
    std::vector<std::pair<const TweakWrite*, ValueState>> originals;
    for (const TweakWrite& write : tweak.writes) {
        OriginalReading original = ReadOriginalRecord(inner, tweak, write);
        // A row is put back whole or not at all: a record that cannot be used
        // leaves every value of the row as it is.
        if (original.found == OriginalReading::Found::Damaged && result.outcome != RestoreOutcome::Unreadable)
            result.outcome = RestoreOutcome::Damaged;
        if (original.found == OriginalReading::Found::Unreadable) {
            result.outcome = RestoreOutcome::Unreadable;
            result.error = original.error;
        }
        if (original.found == OriginalReading::Found::Recorded)
            originals.emplace_back(&write, std::move(original.state));
    }
    if (originals.empty() || result.outcome != RestoreOutcome::NothingRecorded) {
        result.state = ClassifyRow(inner, tweak).state;
        return result;
    }
    recorder.RowStarting(tweak, false);
    result.outcome = RestoreOutcome::Restored;
    bool wrote = false;
    {
        std::optional<RegistryBackend::Handle> key;
        std::string_view keyPath;
        for (const auto& [write, original] : originals) {
            if (!key || write->keyPath != keyPath) {
                if (key)
                    recorder.CloseKey(*key);
                key.reset();
                RegistryBackend::Handle handle = 0;
                if (const long rc = recorder.CreateKey(tweak.hive, write->keyPath, KeyAllAccess, handle);
                    rc != 0) {
                    result.outcome = RestoreOutcome::OpenFailed;
                    result.error = rc;
                    break;
                }
                key = handle;
                keyPath = write->keyPath;
            }
            const long rc = original.present
                                ? recorder.SetValue(*key, write->valueName, original.value.type,
                                                    original.value.data.data(), original.value.data.size())
                                : recorder.DeleteValue(*key, write->valueName);
            if (rc != status::Success && !(rc == status::FileNotFound && !original.present)) {
                result.outcome = RestoreOutcome::StoreError;
                result.error = rc;
                break;
            }
            wrote = true;
        }
        if (key)
            recorder.CloseKey(*key);
    }
    result.state = ClassifyRow(inner, tweak).state;
    if (!wrote)
        return result;
    RegistryBackend::Handle mirror = 0;
    long rc = recorder.CreateKey(Hive::CurrentUser, kMirrorKey, KeyAllAccess, mirror);
    if (rc == status::Success) {
        const std::int32_t number = result.state == RealState::Applied ? 1 : 0;
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(number), 0, 0, 0};
        rc = recorder.SetValue(mirror, tweak.mirrorValue, regtype::Dword, bytes, sizeof bytes);
        recorder.CloseKey(mirror);
    } else {
        recorder.NoteError("Failed to set data for '" + std::string(tweak.mirrorValue) + "'");
    }
    if (rc != status::Success && result.outcome == RestoreOutcome::Restored) {
        result.outcome = RestoreOutcome::StoreError;
        result.error = rc;
    }
    return result;
}

} // namespace

PassReport RecordedApplyTweaks(RegistryBackend& backend, const TweakTicks& ticks, MessageSink& messages,
                               const ChangeContext& context)
{
    ChangeRecorder recorder(backend, context, ChangeOperation::Pass);
    return RunRecorded(recorder, messages, [&](MessageSink& held) {
        ApplyTweaks(recorder, ticks, held, &recorder);
        return true;
    });
}

PassReport RecordedFirstRunCheck(RegistryBackend& backend, MessageSink& messages,
                                 const ChangeContext& context)
{
    ChangeRecorder recorder(backend, context, ChangeOperation::Reset);
    return RunRecorded(recorder, messages,
                       [&](MessageSink& held) { return RunFirstRunCheck(recorder, held, &recorder); });
}

RestoreReport Restore(RegistryBackend& backend, std::span<const TweakEntry* const> rows,
                      const ChangeContext& context)
{
    RestoreReport report;
    ChangeRecorder recorder(backend, context, ChangeOperation::Restore);
    const auto lock = backend.LockForPass();
    for (const TweakEntry* tweak : rows) {
        report.rows.push_back(RestoreRow(backend, recorder, *tweak));
        // Logged row by row: a restore that is killed leaves its changes so far written down.
        recorder.Flush(report);
    }
    recorder.Finish(report);
    return report;
}

RestoreReport RestoreAll(RegistryBackend& backend, const ChangeContext& context)
{
    std::vector<const TweakEntry*> rows;
    for (const TweakEntry& tweak : Catalogue())
        rows.push_back(&tweak);
    return Restore(backend, rows, context);
}

std::string_view RestoreOutcomeText(RestoreOutcome outcome)
{
    switch (outcome) {
    case RestoreOutcome::Restored:
        return "已恢复";
    case RestoreOutcome::NothingRecorded:
        return "没有记录原始值";
    case RestoreOutcome::OpenFailed:
        return "无法打开注册表项";
    case RestoreOutcome::StoreError:
        return "写入失败";
    case RestoreOutcome::Damaged:
        return "原始值记录已损坏";
    case RestoreOutcome::Unreadable:
        return "无法读取原始值";
    }
    return {};
}

} // namespace tessel
