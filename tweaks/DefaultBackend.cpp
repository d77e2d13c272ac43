#include "tweaks/DefaultBackend.h"

#ifdef _WIN32
#include "tweaks/Win32Backend.h"
#else
#include "tweaks/SqliteBackend.h"
#endif

namespace tessel {

std::unique_ptr<RegistryBackend> MakeDefaultBackend()
{
#ifdef _WIN32
    return std::make_unique<Win32Backend>();
#else
    return std::make_unique<SqliteBackend>(SqliteBackend::DefaultOptions());
#endif
}

} // namespace tessel
