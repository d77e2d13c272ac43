// Runs a seeded random sequence of store operations against this platform's
// registry and prints every result and the values left behind, so that runs
// on different backends can be compared line by line.
#include "tests/support/SeededRandom.h"
#include "tests/support/TestBackends.h"
#include "tweaks/DefaultBackend.h"
#include "tweaks/TRegistry.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tessel;
using tessel::test::Hex;
using tessel::test::SeededRandom;

const std::vector<std::string> kPaths = {"A",    "a",     "A\\B",    "a\\b\\", "A\\\\B",
                                         "A\\.", "A\\..", "C\\D\\E", "c\\d\\e"};
const std::vector<std::string> kNames = {"", "v", "V", "w", "Value", "VALUE", "1803"};
const std::uint32_t kTypes[] = {regtype::Sz, regtype::ExpandSz, regtype::Binary, regtype::Dword};

template <typename F> void Guarded(F&& op)
{
    try {
        op();
    } catch (const ERegistryException& e) {
        std::printf("error %s", e.what());
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: registry_driver SEED COUNT\n");
        return 2;
    }
    SeededRandom random(std::strtoull(argv[1], nullptr, 10));
    const long count = std::strtol(argv[2], nullptr, 10);
    // A key of its own per seed, since the real registry keeps earlier runs.
    const std::string kBase = std::string("Software\\TesselDifferential\\") + argv[1];
    auto backend = MakeDefaultBackend();
    TRegistry registry(*backend);

    for (long step = 0; step < count; ++step) {
        const std::string& name = kNames[random.Below(kNames.size())];
        std::printf("%ld ", step);
        switch (random.Below(8)) {
        case 0: {
            const Hive hive = random.Below(4) == 0 ? Hive::LocalMachine : Hive::CurrentUser;
            const std::string path = std::string(random.Below(5) == 0 ? "\\" : "") + kBase + "\\" +
                                     kPaths[random.Below(kPaths.size())];
            registry.SelectRoot(hive);
            std::printf("open %d %s: %d\n", static_cast<int>(hive), path.c_str(),
                        registry.OpenKeyCreating(path));
            break;
        }
        case 1:
        case 2: {
            std::string bytes(random.Below(9), '\0');
            for (char& c : bytes)
                c = static_cast<char>(random.Below(3) == 0 ? 0 : 0x30 + random.Below(0x50));
            const std::uint32_t type = kTypes[random.Below(4)];
            std::printf("write %s type %u [%s]: ", name.c_str(), type, Hex(bytes).c_str());
            Guarded([&] {
                if (type == regtype::Dword && bytes.size() >= 4)
                    registry.WriteDword(name, static_cast<std::int32_t>(bytes[0] | bytes[1] << 8));
                else if (type == regtype::Binary)
                    registry.WriteBytes(name, bytes.data(), bytes.size());
                else
                    registry.WriteText(name, bytes);
                std::printf("done");
            });
            break;
        }
        case 3:
            std::printf("remove %s: %d\n", name.c_str(), registry.RemoveValue(name));
            break;
        case 4:
            std::printf("has %s: %d\n", name.c_str(), registry.HasValue(name));
            break;
        case 5:
            std::printf("dword %s: ", name.c_str());
            Guarded([&] { std::printf("%d", registry.ReadDword(name)); });
            break;
        case 6:
            std::printf("text %s: ", name.c_str());
            Guarded([&] { std::printf("[%s]", Hex(registry.ReadText(name)).c_str()); });
            break;
        default:
            registry.CloseCurrentKey();
            std::printf("close\n");
            break;
        }
    }

    // What is left, read through the backend for exact kinds and bytes.
    for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine}) {
        for (const std::string& path : kPaths) {
            RegistryBackend::Handle key = 0;
            if (backend->CreateKey(hive, kBase + "\\" + path, KeyAllAccess, key) != status::Success) {
                std::printf("tree %d %s: cannot open\n", static_cast<int>(hive), path.c_str());
                continue;
            }
            for (const std::string& name : kNames) {
                std::uint32_t type = 0;
                std::uint32_t size = 0;
                long rc = backend->QueryValue(key, name, &type, nullptr, &size);
                std::string bytes(size, '\0');
                if (rc == status::Success)
                    rc = backend->QueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(bytes.data()),
                                             &size);
                if (rc == status::Success)
                    std::printf("tree %d %s %s: type %u [%s]\n", static_cast<int>(hive), path.c_str(),
                                name.c_str(), type, Hex(bytes.substr(0, size)).c_str());
                else
                    std::printf("tree %d %s %s: %ld\n", static_cast<int>(hive), path.c_str(), name.c_str(),
                                rc);
            }
            backend->CloseKey(key);
        }
    }
    return 0;
}
