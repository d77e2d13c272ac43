// Runs a seeded random sequence of raw registry calls with GBK names (trail
// bytes 0x5C, user-defined areas, names and paths at the limits, text with and
// without its zero, small buffers) and prints every status, kind, size and
// byte. `store` goes through this platform's store; under Wine, `ansi` calls
// the A functions and `wide` the W functions after converting from code page
// 936, as the reference the store must match.
#include "tests/support/SeededRandom.h"
#include "tests/support/TestBackends.h"
#include "tweaks/DefaultBackend.h"
#include "tweaks/RegistryBackend.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace tessel;
using tessel::test::Hex;
using tessel::test::SeededRandom;

// One open key at a time, with the calls' own status codes.
class Raw
{
public:
    virtual ~Raw() = default;
    virtual long Open(const std::string& path) = 0;
    virtual long Set(const std::string& name, std::uint32_t type, const std::string& data) = 0;
    virtual long Query(const std::string& name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) = 0;
    virtual long Delete(const std::string& name) = 0;
};

class StoreRaw final : public Raw
{
public:
    StoreRaw() : backend_(MakeDefaultBackend()) {}
    ~StoreRaw() override { Close(); }
    long Open(const std::string& path) override
    {
        Close();
        const long rc = backend_->CreateKey(Hive::CurrentUser, path, KeyAllAccess, key_);
        open_ = rc == status::Success;
        return rc;
    }
    long Set(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        return backend_->SetValue(key_, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                                  data.size());
    }
    long Query(const std::string& name, std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override
    {
        return backend_->QueryValue(key_, name, type, data, size);
    }
    long Delete(const std::string& name) override { return backend_->DeleteValue(key_, name); }

private:
    void Close()
    {
        if (open_)
            backend_->CloseKey(key_);
        open_ = false;
    }
    std::unique_ptr<RegistryBackend> backend_;
    RegistryBackend::Handle key_ = 0;
    bool open_ = false;
};

#ifdef _WIN32
class ApiRaw final : public Raw
{
public:
    explicit ApiRaw(bool wide) : wide_(wide) {}
    ~ApiRaw() override { Close(); }
    long Open(const std::string& path) override
    {
        Close();
        // The A calls convert a path into a buffer of MAX_PATH characters; the
        // W calls have no such limit, so the wide reference applies it.
        if (wide_ && Wide(path).size() > MAX_PATH)
            return ERROR_MORE_DATA;
        DWORD disposition = 0;
        return wide_ ? RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                       nullptr, &key_, &disposition)
                     : RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                       nullptr, &key_, &disposition);
    }
    long Set(const std::string& name, std::uint32_t type, const std::string& data) override
    {
        // A character after the data that is not zero, so that the registry
        // never counts a terminator the data does not hold.
        if (!wide_) {
            const std::string padded = data + '?';
            return RegSetValueExA(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(padded.data()),
                                  static_cast<DWORD>(data.size()));
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return RegSetValueExW(key_, Wide(name).c_str(), 0, type,
                                  reinterpret_cast<const BYTE*>(data.data()),
                                  static_cast<DWORD>(data.size()));
        const std::wstring text = WideData(data) + L'?';
        return RegSetValueExW(key_, Wide(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()),
                              static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t)));
    }
    long Query(const std::string& name, std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override
    {
        DWORD t = 0;
        DWORD s = size ? *size : 0;
        if (!wide_) {
            const long rc = RegQueryValueExA(key_, name.c_str(), nullptr, &t, data, size ? &s : nullptr);
            if (type)
                *type = t;
            if (size)
                *size = s;
            return rc;
        }
        // The W call's text, converted back to code page 936 and measured there.
        DWORD bytes = 0;
        long rc = RegQueryValueExW(key_, Wide(name).c_str(), nullptr, &t, nullptr, &bytes);
        std::vector<BYTE> buffer(bytes + 2);
        if (rc == ERROR_SUCCESS)
            rc = RegQueryValueExW(key_, Wide(name).c_str(), nullptr, &t, buffer.data(), &bytes);
        if (rc != ERROR_SUCCESS)
            return rc;
        std::string out(reinterpret_cast<const char*>(buffer.data()), bytes);
        if (t == REG_SZ || t == REG_EXPAND_SZ) {
            const int units = static_cast<int>(bytes / 2);
            out.assign(static_cast<std::size_t>(
                           WideCharToMultiByte(936, 0, reinterpret_cast<const wchar_t*>(buffer.data()), units,
                                               nullptr, 0, nullptr, nullptr)),
                       '\0');
            WideCharToMultiByte(936, 0, reinterpret_cast<const wchar_t*>(buffer.data()), units, out.data(),
                                static_cast<int>(out.size()), nullptr, nullptr);
        }
        if (type)
            *type = t;
        if (!size)
            return ERROR_SUCCESS;
        if (data && *size < out.size()) {
            *size = static_cast<std::uint32_t>(out.size());
            return ERROR_MORE_DATA;
        }
        if (data)
            std::memcpy(data, out.data(), out.size());
        *size = static_cast<std::uint32_t>(out.size());
        return ERROR_SUCCESS;
    }
    long Delete(const std::string& name) override
    {
        return wide_ ? RegDeleteValueW(key_, Wide(name).c_str()) : RegDeleteValueA(key_, name.c_str());
    }

private:
    static std::wstring Wide(const std::string& gbk)
    {
        const std::string text = gbk.substr(0, gbk.find('\0'));
        if (text.empty())
            return {};
        std::wstring out(text.size(), L'\0');
        out.resize(static_cast<std::size_t>(
            MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), out.data(), out.size())));
        return out;
    }
    // Every byte, zeros included.
    static std::wstring WideData(const std::string& gbk)
    {
        std::wstring out(gbk.size(), L'\0');
        out.resize(static_cast<std::size_t>(
            gbk.empty() ? 0
                        : MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(),
                                              static_cast<int>(out.size()))));
        return out;
    }
    void Close()
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }
    bool wide_;
    HKEY key_ = nullptr;
};
#endif

std::string Label(const std::string& text)
{
    return text.size() > 40 ? "<" + std::to_string(text.size()) + " bytes>" : "[" + Hex(text) + "]";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: registry_raw_driver SEED COUNT store|ansi|wide\n");
        return 2;
    }
    SeededRandom random(std::strtoull(argv[1], nullptr, 10), 7);
    const long count = std::strtol(argv[2], nullptr, 10);
    const std::string mode = argv[3];
    std::unique_ptr<Raw> raw;
    if (mode == "store")
        raw = std::make_unique<StoreRaw>();
#ifdef _WIN32
    else if (mode == "ansi" || mode == "wide")
        raw = std::make_unique<ApiRaw>(mode == "wide");
#endif
    if (!raw) {
        std::fprintf(stderr, "mode %s is not available here\n", mode.c_str());
        return 2;
    }

    // A key of its own per seed and mode, since the real registry keeps earlier runs.
    const std::string base = "Software\\TesselRaw\\" + std::string(1, mode[0]) + argv[1] + "\\";
    const std::string fill260 = std::string(260 - base.size(), 'p');
    // Of their own per seed and mode too.
    auto atRoot = [&](std::size_t length) {
        const std::string tag = "TesselRaw" + std::string(1, mode[0]) + argv[1];
        return tag + std::string(length - tag.size(), 'k');
    };
    const std::vector<std::string> paths = {
        "\x81\x5C",    // 乗: its trail byte is a backslash
        "\x81\x5C\\x", //
        "ab\x81\x5C\x81\x5C"
        "cd",                 //
        "\xD6\xD0\\\xCE\xC4", // 中\文: two keys
        "\xAA\xA1",           // a user-defined area
        "\xFE\xFE\\\xA1\x40", //
        "Mixed\\Case",        //
        "MIXED\\case",        //
        "\xC4rger",           // Latin-1 bytes read as GBK
        "/" + atRoot(255),    // names at their limit, from the hive's root
        "/" + atRoot(256),    //
        "/" + atRoot(257),    //
        fill260,              // the whole path at 260 characters
        fill260 + "q",        // and one beyond
    };
    const std::vector<std::string> names = {"",
                                            "v",
                                            "V",
                                            "\x81\x5C",
                                            "\xAA\xA1",
                                            "\xAA\xA1x",
                                            "\xD6\xD0",
                                            "\xC4rger",
                                            std::string(16383, 'n'),
                                            std::string(16384, 'n')};
    const std::vector<std::string> texts = {"", "ab", "\x81\x5C", "\xAA\xA1\xD6\xD0", "x\\y", "\xA1\x40"};
    const std::uint32_t types[] = {1, 2, 3, 4};

    // The program never calls with a key that failed to open: neither do we.
    bool keyOpen = false;
    for (long step = 0; step < count; ++step) {
        std::printf("%ld ", step);
        const std::string& name = names[random.Below(names.size())];
        const std::uint32_t op = random.Below(5);
        if (op != 0 && !keyOpen) {
            std::printf("no key\n");
            continue;
        }
        switch (op) {
        case 0: {
            const std::string& path = paths[random.Below(paths.size())];
            const bool fromRoot = path.front() == '/';
            const long rc = raw->Open(fromRoot ? path.substr(1) : base + path);
            keyOpen = rc == 0;
            std::printf("open %s: %ld\n", Label(path).c_str(), rc);
            break;
        }
        case 1:
        case 2: {
            const std::uint32_t type = types[random.Below(4)];
            std::string data = texts[random.Below(texts.size())];
            if (random.Below(2))
                data += '\0';
            if (type >= 3)
                data.resize(random.Below(6), '\x01');
            std::printf("set %s type %u %s: %ld\n", Label(name).c_str(), type, Label(data).c_str(),
                        raw->Set(name, type, data));
            break;
        }
        case 3: {
            const std::uint32_t capacities[] = {0, 1, 2, 3, 64};
            const int pick = static_cast<int>(random.Below(6));
            std::uint32_t type = 0;
            std::uint32_t size = pick < 5 ? capacities[pick] : 0;
            std::string buffer(64, '\0');
            const long rc = raw->Query(
                name, &type, pick < 5 ? reinterpret_cast<std::uint8_t*>(buffer.data()) : nullptr, &size);
            std::printf("query %s buffer %d: %ld", Label(name).c_str(), pick, rc);
            if (rc == 0 || rc == 234)
                std::printf(" type %u size %u", type, size);
            if (rc == 0 && pick < 5)
                std::printf(" %s", Label(buffer.substr(0, size)).c_str());
            std::printf("\n");
            break;
        }
        default:
            std::printf("delete %s: %ld\n", Label(name).c_str(), raw->Delete(name));
            break;
        }
    }
    return 0;
}
