#pragma once

#include "tweaks/RegistryBackend.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace tessel {

// The registry held in memory: for tests, and the floor the benchmarks
// measure the file-backed store against.
class MemoryBackend final : public RegistryBackend
{
public:
    MemoryBackend();
    ~MemoryBackend() override;

    // Makes every open of the hive answer AccessDenied, as for a user who
    // may not write there.
    void DenyHive(Hive hive, bool denied = true);
    // Makes reads of the hive fail as well, as for a hive nobody may open.
    void HideHive(Hive hive, bool hidden = true);

protected:
    long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) override;
    long DoOpenKey(Hive hive, std::string_view path, Handle& key) override;
    long DoQueryValue(Handle key, std::string_view name, RegValue& value) override;
    long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    long DoDeleteValue(Handle key, std::string_view name) override;
    long DoCloseKey(Handle key) override;

private:
    struct Node;
    Node* Find(Handle key) const;

    std::unique_ptr<Node> roots_[2];
    bool denied_[2] = {false, false};
    bool hidden_[2] = {false, false};
    std::unordered_map<Handle, Node*> open_;
    Handle next_ = 1;
};

} // namespace tessel
