#include "tweaks/MemoryBackend.h"

#include "tweaks/NameFolding.h"

namespace tessel {

struct MemoryBackend::Node
{
    std::string name;
    std::map<std::string, std::unique_ptr<Node>> children;
    struct Entry
    {
        std::string name;
        RegValue value;
    };
    std::map<std::string, Entry> values;
};

MemoryBackend::MemoryBackend()
{
    roots_[0] = std::make_unique<Node>();
    roots_[1] = std::make_unique<Node>();
}

MemoryBackend::~MemoryBackend() = default;

void MemoryBackend::DenyHive(Hive hive, bool denied)
{
    denied_[static_cast<int>(hive)] = denied;
}

void MemoryBackend::HideHive(Hive hive, bool hidden)
{
    hidden_[static_cast<int>(hive)] = hidden;
}

MemoryBackend::Node* MemoryBackend::Find(Handle key) const
{
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : it->second;
}

long MemoryBackend::DoCreateKey(Hive hive, std::string_view path, std::uint32_t, Handle& key)
{
    if (denied_[static_cast<int>(hive)])
        return status::AccessDenied;
    Node* node = roots_[static_cast<int>(hive)].get();
    for (const std::string_view part : SplitKeyPath(path)) {
        auto& child = node->children[FoldName(part)];
        if (!child) {
            child = std::make_unique<Node>();
            child->name = AnsiToUtf8(part);
        }
        node = child.get();
    }
    key = next_++;
    open_[key] = node;
    return status::Success;
}

long MemoryBackend::DoOpenKey(Hive hive, std::string_view path, Handle& key)
{
    if (hidden_[static_cast<int>(hive)])
        return status::AccessDenied;
    Node* node = roots_[static_cast<int>(hive)].get();
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        const auto it = node->children.find(FoldName(path.substr(0, end)));
        if (it == node->children.end())
            return status::FileNotFound;
        node = it->second.get();
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    key = next_++;
    open_[key] = node;
    return status::Success;
}

long MemoryBackend::DoQueryValue(Handle key, std::string_view name, RegValue& value)
{
    const Node* node = Find(key);
    if (!node)
        return status::InvalidHandle;
    const auto it = node->values.find(FoldName(name));
    if (it == node->values.end())
        return status::FileNotFound;
    value = it->second.value;
    return status::Success;
}

long MemoryBackend::DoSetValue(Handle key, std::string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size)
{
    Node* node = Find(key);
    if (!node)
        return status::InvalidHandle;
    auto [it, added] = node->values.try_emplace(FoldName(name));
    if (added)
        it->second.name = AnsiToUtf8(name);
    it->second.value.type = type;
    it->second.value.data.assign(data, data + size);
    return status::Success;
}

long MemoryBackend::DoDeleteValue(Handle key, std::string_view name)
{
    Node* node = Find(key);
    if (!node)
        return status::InvalidHandle;
    return node->values.erase(FoldName(name)) ? status::Success : status::FileNotFound;
}

long MemoryBackend::DoCloseKey(Handle key)
{
    return open_.erase(key) ? status::Success : status::InvalidHandle;
}

} // namespace tessel
