#pragma once

#include "tweaks/TweakPasses.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tessel {

// What `tessel export` and the window's export can write.
enum class ExportFormat : std::uint8_t
{
    Profile, // a Tessel profile (JSON)
    Reg,     // a .reg file
    Ansible, // a playbook
    Pol,     // a folder: Machine/Registry.pol, User/Registry.pol, GPT.INI
    Admx,    // a folder: tessel.admx, zh-CN/tessel.adml, en-US/tessel.adml
};

// A folder format writes several files into the folder it is given.
bool IsFolderFormat(ExportFormat format);

struct ExportFile
{
    std::filesystem::path path; // inside the folder; empty for the one file of a file format
    std::string bytes;
};

// What an export of these ticks consists of (the template holds every row, whatever the ticks).
std::vector<ExportFile> ExportFiles(ExportFormat format, const TweakTicks& ticks);

// Writes the files to `target`: the file itself for a file format, else the
// folder, created with its subfolders where missing. Other files in the folder
// are left alone. Throws std::runtime_error naming the file that could not be
// written and why.
void WriteExport(const std::filesystem::path& target, std::span<const ExportFile> files);

} // namespace tessel
