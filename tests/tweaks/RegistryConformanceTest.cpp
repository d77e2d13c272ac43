// One table of registry behaviours, run against every backend this platform
// has: natively the memory and SQLite stores, under Wine the real advapi32.
// Every backend must print the same transcript for every case.
#include "tests/support/TestBackends.h"
#include "tweaks/TRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace tessel::test {
namespace {

using namespace std::string_literals;

// Runs store operations below a per-case base key and writes down each result.
class Probe
{
public:
    Probe(RegistryBackend& backend, std::string base)
        : backend_(backend), registry_(backend), base_(std::move(base))
    {
    }

    void Open(const std::string& relative) { OpenRaw(base_ + "\\" + relative); }
    void OpenRaw(const std::string& path)
    {
        const bool ok = registry_.OpenKeyCreating(path);
        std::string label = path;
        if (const auto at = label.find(base_); at != std::string::npos)
            label.replace(at, base_.size(), "<base>");
        if (label.rfind("<base>\\", 0) == 0)
            label.erase(0, 7);
        out_ << "open " << Label(label) << ": " << (ok ? "yes" : "no") << "\n";
    }
    // The status of a raw create, for the codes OpenKeyCreating keeps to itself.
    void Create(const std::string& path)
    {
        RegistryBackend::Handle key = 0;
        const long rc = backend_.CreateKey(registry_.Root(), path, KeyAllAccess, key);
        if (rc == status::Success)
            handles_.push_back(key);
        out_ << "create " << Label(path) << ": " << rc << "\n";
    }
    void Set(const std::string& name, std::uint32_t type, const std::string& bytes)
    {
        RegistryBackend::Handle key = Key();
        out_ << "set " << Label(name) << ": "
             << backend_.SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  bytes.size())
             << "\n";
    }
    void Get(const std::string& name)
    {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        long rc = backend_.QueryValue(Key(), name, &type, nullptr, &size);
        std::string bytes(size, '\0');
        if (rc == status::Success)
            rc =
                backend_.QueryValue(Key(), name, &type, reinterpret_cast<std::uint8_t*>(bytes.data()), &size);
        out_ << "get " << Label(name) << ": " << rc;
        if (rc == status::Success)
            out_ << " type " << type << " size " << size << " [" << Hex(bytes.substr(0, size)) << "]";
        out_ << "\n";
    }
    void SmallBuffer(const std::string& name, std::uint32_t capacity)
    {
        std::string buffer(capacity, '\0');
        std::uint32_t size = capacity;
        const long rc =
            backend_.QueryValue(Key(), name, nullptr, reinterpret_cast<std::uint8_t*>(buffer.data()), &size);
        out_ << "buffer " << capacity << " " << name << ": " << rc << " size " << size << "\n";
    }
    void Del(const std::string& name)
    {
        out_ << "delete " << Label(name) << ": " << backend_.DeleteValue(Key(), name) << "\n";
    }
    void Has(const std::string& name)
    {
        out_ << "has " << name << ": " << (registry_.HasValue(name) ? "yes" : "no") << "\n";
    }
    void Dword(const std::string& name)
    {
        Guarded("dword " + name, [&] { return std::to_string(registry_.ReadDword(name)); });
    }
    void Text(const std::string& name)
    {
        Guarded("text " + name, [&] { return "[" + Hex(registry_.ReadText(name)) + "]"; });
    }
    void WriteText(const std::string& name, const std::string& text)
    {
        Guarded("write " + name, [&] {
            registry_.WriteText(name, text);
            return "done"s;
        });
    }
    void Remove(const std::string& name)
    {
        out_ << "remove " << name << ": " << registry_.RemoveValue(name) << "\n";
    }

    std::string Transcript() const { return out_.str(); }

private:
    // Long names print as their length.
    static std::string Label(const std::string& name)
    {
        return name.size() > 40 ? "<" + std::to_string(name.size()) + " chars>" : name;
    }
    RegistryBackend::Handle Key()
    {
        // The store keeps its handle to itself; open the same path beside it.
        RegistryBackend::Handle key = 0;
        backend_.CreateKey(registry_.Root(), registry_.CurrentPath(), KeyAllAccess, key);
        handles_.push_back(key);
        return key;
    }
    void Guarded(const std::string& label, const std::function<std::string()>& op)
    {
        out_ << label << ": ";
        try {
            out_ << op();
        } catch (const ERegistryException& e) {
            out_ << "error " << e.what();
        }
        out_ << "\n";
    }

public:
    ~Probe()
    {
        for (auto key : handles_)
            backend_.CloseKey(key);
    }

private:
    RegistryBackend& backend_;
    TRegistry registry_;
    std::string base_;
    std::ostringstream out_;
    std::vector<RegistryBackend::Handle> handles_;
};

struct Case
{
    const char* name;
    std::function<void(Probe&)> run;
    const char* expected;
};

const std::string kMiB(1024 * 1024, 'x');

const Case kCases[] = {
    {"LeadingBackslash",
     [](Probe& p) {
         p.OpenRaw("\\Software\\TesselConformance\\LeadingBackslash\\A");
         p.Set("v", 4, "\x07\0\0\0"s);
         p.Open("A");
         p.Get("v");
         p.OpenRaw("\\\\Software\\TesselConformance\\LeadingBackslash\\A");
     },
     "open \\<base>\\A: yes\nset v: 0\nopen A: yes\nget v: 0 type 4 size 4 [07000000]\n"
     "open \\\\<base>\\A: no\n"},
    {"DoubledAndTrailingBackslashes",
     [](Probe& p) {
         p.Open("A\\\\B");
         p.Set("v", 3, "ab");
         p.Open("A\\B\\");
         p.Get("v");
         p.Open("A\\B\\\\");
         p.Get("v");
     },
     "open A\\\\B: yes\nset v: 0\nopen A\\B\\: yes\nget v: 0 type 3 size 2 [6162]\n"
     "open A\\B\\\\: yes\nget v: 0 type 3 size 2 [6162]\n"},
    {"DotsArePlainNames",
     [](Probe& p) {
         p.Open("A\\..");
         p.Set("v", 3, "1");
         p.Open("A\\.");
         p.Set("w", 3, "2");
         p.Open("A");
         p.Has("v");
         p.Has("w");
         p.Open("A\\..");
         p.Has("v");
         p.Has("w");
     },
     "open A\\..: yes\nset v: 0\nopen A\\.: yes\nset w: 0\nopen A: yes\nhas v: no\nhas w: no\n"
     "open A\\..: yes\nhas v: yes\nhas w: no\n"},
    {"NamesIgnoreCase",
     [](Probe& p) {
         p.Open("Mixed\\Case");
         p.Set("Value", 4, "\x01\0\0\0"s);
         p.Open("MIXED\\case");
         p.Get("VALUE");
         p.Set("value", 4, "\x02\0\0\0"s);
         p.Open("mixed\\CASE");
         p.Get("Value");
         p.Del("vALUE");
         p.Has("Value");
     },
     "open Mixed\\Case: yes\nset Value: 0\nopen MIXED\\case: yes\nget VALUE: 0 type 4 size 4 [01000000]\n"
     "set value: 0\nopen mixed\\CASE: yes\nget Value: 0 type 4 size 4 [02000000]\ndelete vALUE: 0\nhas "
     "Value: no\n"},
    {"DefaultValue",
     [](Probe& p) {
         p.Open("D");
         p.Has("");
         p.Text("");
         p.WriteText("", "txtfile");
         p.Get("");
         p.Has("");
         p.Remove("");
         p.Has("");
     },
     "open D: yes\nhas : no\ntext : []\nwrite : done\nget : 0 type 1 size 8 [74787466696C6500]\nhas : yes\n"
     "remove : 1\nhas : no\n"},
    {"TextSizes",
     [](Probe& p) {
         p.Open("T");
         p.Set("term", 1, "abc\0"s);
         p.Set("bare", 1, "abc");
         p.Set("empty", 1, "");
         p.Set("zero", 1, "\0"s);
         p.Set("inner", 1, "ab\0cd\0"s);
         for (const char* n : {"term", "bare", "empty", "zero", "inner"}) {
             p.Get(n);
             p.Text(n);
         }
         // Text stored without its zero is handed back as stored.
         p.SmallBuffer("bare", 3);
     },
     "open T: yes\nset term: 0\nset bare: 0\nset empty: 0\nset zero: 0\nset inner: 0\n"
     "get term: 0 type 1 size 4 [61626300]\ntext term: [616263]\n"
     "get bare: 0 type 1 size 3 [616263]\ntext bare: [616263]\n"
     "get empty: 0 type 1 size 0 []\ntext empty: []\n"
     "get zero: 0 type 1 size 1 [00]\ntext zero: []\n"
     "get inner: 0 type 1 size 6 [6162006364 00]\ntext inner: [6162]\nbuffer 3 bare: 0 size 3\n"},
    {"ExpandSzIsReadUnexpanded",
     [](Probe& p) {
         p.Open("E");
         p.Set("path", 2, "%WINDIR%\\x\0"s);
         p.Text("path");
         p.Dword("path");
     },
     "open E: yes\nset path: 0\ntext path: [2557494E444952255C78]\ndword path: error Failed to get data for "
     "'path'\n"},
    {"DwordReads",
     [](Probe& p) {
         p.Open("N");
         p.Set("four", 4, "\xFF\xFF\xFF\xFF"s);
         p.Set("two", 4, "\x34\x12"s);
         p.Set("none", 4, "");
         p.Set("eight", 4, "\x01\0\0\0\0\0\0\0"s);
         p.Set("bin", 3, "\x01\0\0\0"s);
         p.Set("text", 1, "0x00\0"s);
         p.Set("short", 1, "1\0"s);
         for (const char* n : {"four", "two", "none", "eight", "bin", "text", "short", "missing"})
             p.Dword(n);
     },
     "open N: yes\nset four: 0\nset two: 0\nset none: 0\nset eight: 0\nset bin: 0\nset text: 0\nset short: "
     "0\n"
     "dword four: -1\ndword two: 4660\ndword none: 0\ndword eight: error Failed to get data for 'eight'\n"
     "dword bin: error Invalid data type for 'bin'\ndword text: error Failed to get data for 'text'\n"
     "dword short: error Invalid data type for 'short'\ndword missing: error Failed to get data for "
     "'missing'\n"},
    {"TextOfOtherKinds",
     [](Probe& p) {
         p.Open("K");
         p.Set("dw", 4, "\x01\0\0\0"s);
         p.Set("emptybin", 3, "");
         p.Text("dw");
         p.Text("emptybin");
         p.Text("missing");
     },
     "open K: yes\nset dw: 0\nset emptybin: 0\ntext dw: error Invalid data type for 'dw'\ntext emptybin: []\n"
     "text missing: []\n"},
    {"MissingValues",
     [](Probe& p) {
         p.Open("M");
         p.Del("nothing");
         p.Remove("nothing");
         p.Get("nothing");
         p.SmallBuffer("nothing", 4);
     },
     "open M: yes\ndelete nothing: 2\nremove nothing: 0\nget nothing: 2\nbuffer 4 nothing: 2 size 4\n"},
    {"OverwriteChangesKind",
     [](Probe& p) {
         p.Open("O");
         p.Set("v", 4, "\x05\0\0\0"s);
         p.Set("V", 1, "five\0"s);
         p.Get("v");
         p.Dword("v");
         p.Set("v", 3, ""s);
         p.Get("v");
         p.SmallBuffer("v", 0);
         p.Set("v", 3, "123456"s);
         p.SmallBuffer("v", 4);
     },
     "open O: yes\nset v: 0\nset V: 0\nget v: 0 type 1 size 5 [6669766500]\ndword v: error Failed to get "
     "data for 'v'\n"
     "set v: 0\nget v: 0 type 3 size 0 []\nbuffer 0 v: 0 size 0\nset v: 0\nbuffer 4 v: 234 size 6\n"},
    {"GbkText",
     [](Probe& p) {
         p.Open("G");
         // "中文密码" in GBK, as the program stores typed passwords.
         p.WriteText("paasword", "\xD6\xD0\xCE\xC4\xC3\xDC\xC2\xEB");
         p.Get("paasword");
         p.Text("paasword");
     },
     "open G: yes\nwrite paasword: done\nget paasword: 0 type 1 size 9 [D6D0CEC4C3DCC2EB00]\n"
     "text paasword: [D6D0CEC4C3DCC2EB]\n"},
    {"Limits",
     [](Probe& p) {
         p.OpenRaw(std::string(255, 'k'));
         p.OpenRaw(std::string(256, 'k'));
         p.Create(std::string(257, 'k'));
         const std::string base = "Software\\TesselConformance\\Limits\\";
         p.OpenRaw(base + std::string(260 - base.size(), 'p'));
         p.Create(base + std::string(261 - base.size(), 'p'));
         p.Open("L");
         p.Set(std::string(16383, 'n'), 3, "1");
         p.Set(std::string(16384, 'n'), 3, "1");
         p.Get(std::string(16384, 'n'));
         p.Del(std::string(16384, 'n'));
         p.Set("big", 3, kMiB);
         p.Set("bigger", 3, kMiB + "x");
         p.Has("bigger");
     },
     "open <255 chars>: yes\nopen <256 chars>: yes\ncreate <257 chars>: 87\nopen <226 chars>: yes\n"
     "create <261 chars>: 234\nopen L: yes\nset <16383 chars>: 0\nset <16384 chars>: 87\n"
     "get <16384 chars>: 2\ndelete <16384 chars>: 2\nset big: 0\nset bigger: 87\nhas bigger: no\n"},
    {"GbkNames",
     [](Probe& p) {
         // "乗" ends in 0x5C: one key, not a separator; AA A1 lies in a user-defined area.
         p.Open("\x81\x5C");
         p.Set("\xAA\xA1", 4, "\x01\0\0\0"s);
         p.Open("\x81\x5C\\x");
         p.Open("\x81\x5C");
         p.Get("\xAA\xA1");
         p.Open("\xAA\xA1\x81\x5C\\\xFE\xFE");
         p.WriteText("\x81\x5C", "\xAA\xA1\x81\x5C");
         p.Get("\x81\x5C");
         // Text that would read back cut short is never stored.
         p.WriteText("z", "a\0b"s);
         p.Has("z");
     },
     "open \x81\x5C: yes\nset \xAA\xA1: 0\nopen \x81\x5C\\x: yes\nopen \x81\x5C: yes\n"
     "get \xAA\xA1: 0 type 4 size 4 [01000000]\n"
     "open \xAA\xA1\x81\x5C\\\xFE\xFE: yes\nwrite \x81\x5C: done\n"
     "get \x81\x5C: 0 type 1 size 5 [AAA1815C00]\nwrite z: error Failed to set data for 'z'\nhas z: no\n"},
    {"WritesWithoutKey",
     [](Probe& p) {
         p.OpenRaw("\\\\Software\\TesselConformance\\WritesWithoutKey");
         p.WriteText("v", "x");
         p.Has("v");
         p.Text("v");
         p.Dword("v");
         p.Remove("v");
     },
     "open \\\\<base>: no\nwrite v: error Failed to set data for 'v'\nhas v: no\ntext v: []\n"
     "dword v: error Failed to get data for 'v'\nremove v: 0\n"},
};

class RegistryConformance : public ::testing::TestWithParam<BackendKind>
{
};

TEST_P(RegistryConformance, EveryCasePrintsTheSameTranscript)
{
    BackendUnderTest backend(GetParam());
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::string transcript;
        {
            Probe probe(backend.Get(), "Software\\TesselConformance\\"s + c.name);
            c.run(probe);
            transcript = probe.Transcript();
        }
        std::string expected = c.expected;
        // Spaces in expected byte dumps only group them for the reader.
        expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
        transcript.erase(std::remove(transcript.begin(), transcript.end(), ' '), transcript.end());
        EXPECT_EQ(transcript, expected);
    }
}

TEST_P(RegistryConformance, SelectingTheSameHiveKeepsTheKeyOpen)
{
    BackendUnderTest backend(GetParam());
    TRegistry registry(backend.Get());
    ASSERT_TRUE(registry.OpenKeyCreating("Software\\TesselConformance\\Root"));
    registry.SelectRoot(Hive::CurrentUser);
    EXPECT_TRUE(registry.HasCurrentKey());
    EXPECT_EQ(registry.CurrentPath(), "Software\\TesselConformance\\Root");
    registry.SelectRoot(Hive::LocalMachine);
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_THROW(registry.WriteDword("v", 1), ERegistryException);
    // Platform difference: Wine and the portable stores used by root let this
    // account write the machine hive; an ordinary account on Windows could not.
    EXPECT_TRUE(registry.OpenKeyCreating("Software\\TesselConformance\\Machine"));
}

TEST_P(RegistryConformance, FailedOpenKeepsThePreviousKey)
{
    BackendUnderTest backend(GetParam());
    TRegistry registry(backend.Get());
    ASSERT_TRUE(registry.OpenKeyCreating("\\Software\\TesselConformance\\Keep"));
    EXPECT_EQ(registry.CurrentPath(), "Software\\TesselConformance\\Keep");
    EXPECT_FALSE(registry.OpenKeyCreating("\\\\Software"));
    EXPECT_EQ(registry.CurrentPath(), "Software\\TesselConformance\\Keep");
    registry.WriteDword("v", -1);
    EXPECT_EQ(registry.ReadDword("v"), -1);
    registry.CloseCurrentKey();
    EXPECT_FALSE(registry.HasCurrentKey());
    registry.CloseCurrentKey();
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance, ::testing::ValuesIn(PlatformBackends()),
                         [](const auto& info) { return BackendName(info.param); });

} // namespace
} // namespace tessel::test
