#include "cli/ExportFiles.h"

#include "cli/FleetExport.h"
#include "cli/GroupPolicy.h"
#include "cli/Profile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace tessel {
namespace {

std::string Shown(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// Every step of the write is checked, the close included, so that a full disk
// is an error and not a short file.
void WriteChecked(const std::filesystem::path& path, const std::string& bytes)
{
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file)
        file.flush();
    const bool written = static_cast<bool>(file);
    const int error = errno;
    file.close();
    if (!written || !file)
        throw std::runtime_error("cannot write " + Shown(path) + ": " + std::strerror(error ? error : EIO));
}

void MakeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && !std::filesystem::is_directory(folder, error))
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        throw std::runtime_error("cannot create the folder " + Shown(folder) + ": " + error.message());
}

} // namespace

bool IsFolderFormat(ExportFormat format)
{
    return format == ExportFormat::Pol || format == ExportFormat::Admx;
}

std::vector<ExportFile> ExportFiles(ExportFormat format, const TweakTicks& ticks)
{
    switch (format) {
    case ExportFormat::Profile:
        return {{{}, WriteProfile(ticks)}};
    case ExportFormat::Reg:
        return {{{}, ToRegFile(PlanApply(ticks))}};
    case ExportFormat::Ansible:
        return {{{}, ToAnsiblePlaybook(PlanApply(ticks))}};
    case ExportFormat::Pol: {
        const std::vector<PlannedValue> plan = PlanApply(ticks);
        return {{"Machine/Registry.pol", ToRegistryPol(plan, Hive::LocalMachine)},
                {"User/Registry.pol", ToRegistryPol(plan, Hive::CurrentUser)},
                {"GPT.INI", GptIni()}};
    }
    case ExportFormat::Admx: {
        AdministrativeTemplate files = ToAdministrativeTemplate();
        return {{"tessel.admx", std::move(files.admx)},
                {"zh-CN/tessel.adml", std::move(files.chinese)},
                {"en-US/tessel.adml", std::move(files.english)}};
    }
    }
    return {};
}

void WriteExport(const std::filesystem::path& target, std::span<const ExportFile> files)
{
    if (files.size() == 1 && files.front().path.empty()) {
        WriteChecked(target, files.front().bytes);
        return;
    }
    MakeFolder(target);
    for (const ExportFile& file : files) {
        const std::filesystem::path path = target / file.path;
        MakeFolder(path.parent_path());
        WriteChecked(path, file.bytes);
    }
}

} // namespace tessel
