#pragma once

#include "tweaks/RegistryBackend.h"

#include <memory>

namespace tessel {

// The real registry on Windows; the SQLite hives at their default places elsewhere.
std::unique_ptr<RegistryBackend> MakeDefaultBackend();

} // namespace tessel
