#pragma once

#include "cli/FleetExport.h"

#include <string>

namespace tessel {

// A Registry.pol file ("PReg", version 1, then [key;value;type;size;data]
// entries in UTF-16LE) holding the values of one hive, in the order given.
// A removal is the entry "**del.<name>", REG_SZ " ". Text is converted from
// code page 936 exactly; other data goes byte for byte.
std::string ToRegistryPol(std::span<const PlannedValue> values, Hive hive);

// GPT.INI of a policy folder with one user and one machine version.
std::string GptIni();

struct AdministrativeTemplate
{
    std::string admx;
    std::string chinese; // zh-CN ADML
    std::string english; // en-US ADML
};

// One category "Tessel" with the tabs beneath it and one policy per row that a
// template can state exactly: its values are named and every applied and
// reverted state is a REG_DWORD, a one-line REG_SZ of at most 255 characters or
// a removal. Enabled applies the row, disabled reverts it.
AdministrativeTemplate ToAdministrativeTemplate();

} // namespace tessel
