#pragma once

#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace tessel {

// A completion script for `shell` ("bash" or "zsh") built from the command
// line's own definitions: its subcommands, their options, and the rows that
// a LIST names. Empty for any other shell.
std::string ShellCompletion(const CLI::App& app, std::string_view shell);

} // namespace tessel
