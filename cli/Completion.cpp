#include "cli/Completion.h"

#include "tweaks/TweakCatalogue.h"

#include <CLI/CLI.hpp>

#include <sstream>
#include <vector>

namespace tessel {
namespace {

// What an option's value is completed from.
enum class ValueKind
{
    None, // a flag
    Rows,
    File,
    Words, // the values a check allows
    Free,
};

struct OptionSpec
{
    std::vector<std::string> names; // "--on", "-o", ...
    std::string help;
    ValueKind kind = ValueKind::None;
    std::vector<std::string> words;
};

struct CommandSpec
{
    std::string name;
    std::string help;
    std::vector<OptionSpec> options;
};

OptionSpec Describe(const CLI::Option& option)
{
    OptionSpec spec;
    for (const std::string& name : option.get_snames())
        spec.names.push_back("-" + name);
    for (const std::string& name : option.get_lnames())
        spec.names.push_back("--" + name);
    spec.help = option.get_description();
    if (option.get_expected_min() == 0)
        return spec;
    // "LIST", "FILE", "TIME", or "TEXT:{reg,ansible,json}" for a member check.
    const std::string type = option.get_type_name();
    const auto open = type.find('{');
    const auto close = type.rfind('}');
    if (open != std::string::npos && close != std::string::npos && close > open) {
        spec.kind = ValueKind::Words;
        std::stringstream list(type.substr(open + 1, close - open - 1));
        for (std::string word; std::getline(list, word, ',');)
            spec.words.push_back(word);
    } else if (type == "LIST") {
        spec.kind = ValueKind::Rows;
    } else if (type == "FILE") {
        spec.kind = ValueKind::File;
    } else {
        spec.kind = ValueKind::Free;
    }
    return spec;
}

std::vector<OptionSpec> Options(const CLI::App& app)
{
    std::vector<OptionSpec> options;
    for (const CLI::Option* option : app.get_options())
        if (!option->get_lnames().empty() || !option->get_snames().empty())
            options.push_back(Describe(*option));
    return options;
}

std::vector<CommandSpec> Commands(const CLI::App& app)
{
    std::vector<CommandSpec> commands;
    for (const CLI::App* command : app.get_subcommands({}))
        commands.push_back({command->get_name(), command->get_description(), Options(*command)});
    return commands;
}

// Every way a LIST may name rows: all, the row numbers, the mirror names.
std::vector<std::string> RowWords()
{
    std::vector<std::string> words{"all"};
    for (std::size_t row = 1; row <= Catalogue().size(); ++row)
        words.push_back(std::to_string(row));
    for (const TweakEntry& tweak : Catalogue())
        words.emplace_back(tweak.mirrorValue);
    return words;
}

std::string Joined(const std::vector<std::string>& words, const char* separator = " ")
{
    std::string out;
    for (const std::string& word : words)
        out += (out.empty() ? "" : separator) + word;
    return out;
}

std::string Bash(const CLI::App& app)
{
    const std::vector<CommandSpec> commands = Commands(app);
    std::vector<std::string> commandNames;
    for (const CommandSpec& command : commands)
        commandNames.push_back(command.name);
    std::vector<std::string> topNames;
    for (const OptionSpec& option : Options(app))
        topNames.insert(topNames.end(), option.names.begin(), option.names.end());

    std::ostringstream out;
    out << "# bash completion for tessel; written by `tessel --completion bash`\n"
        << "_tessel() {\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i\n"
        << "    local rows='" << Joined(RowWords()) << "'\n"
        << "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        << "        case ${COMP_WORDS[i]} in\n"
        << "            " << Joined(commandNames, "|") << ") command=${COMP_WORDS[i]}; break ;;\n"
        << "        esac\n"
        << "    done\n"
        << "    if [ -z \"$command\" ]; then\n"
        << "        COMPREPLY=($(compgen -W '" << Joined(commandNames) << ' ' << Joined(topNames)
        << "' -- \"$cur\"))\n"
        << "        return\n"
        << "    fi\n"
        << "    case $command in\n";
    for (const CommandSpec& command : commands) {
        std::vector<std::string> names;
        out << "    " << command.name << ")\n        case $prev in\n";
        for (const OptionSpec& option : command.options) {
            names.insert(names.end(), option.names.begin(), option.names.end());
            const std::string pattern = Joined(option.names, "|");
            switch (option.kind) {
            case ValueKind::None:
                break;
            case ValueKind::Rows:
                // A LIST is comma-separated: complete the part after the last comma.
                out << "            " << pattern << ")\n"
                    << "                local done=; [[ $cur == *,* ]] && done=${cur%,*},\n"
                    << "                COMPREPLY=($(compgen -P \"$done\" -W \"$rows\" -- \"${cur##*,}\"))\n"
                    << "                return ;;\n";
                break;
            case ValueKind::File:
                out << "            " << pattern << ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
                break;
            case ValueKind::Words:
                out << "            " << pattern << ") COMPREPLY=($(compgen -W '" << Joined(option.words)
                    << "' -- \"$cur\")); return ;;\n";
                break;
            case ValueKind::Free:
                out << "            " << pattern << ") return ;;\n";
                break;
            }
        }
        out << "        esac\n"
            << "        COMPREPLY=($(compgen -W '" << Joined(names) << "' -- \"$cur\")) ;;\n";
    }
    out << "    esac\n"
        << "}\n"
        << "complete -F _tessel tessel\n";
    return out.str();
}

// Text inside a single-quoted zsh word; for _arguments also with its
// brackets and colons escaped.
std::string ZshText(const std::string& text, bool forArguments = true)
{
    std::string out;
    for (const char c : text) {
        if (c == '\'')
            out += "'\\''";
        else if (forArguments && (c == '[' || c == ']' || c == ':' || c == '\\'))
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out;
}

std::string ZshSpecs(const std::vector<OptionSpec>& options, const std::string& indent)
{
    std::string out;
    for (const OptionSpec& option : options) {
        const std::string help = ZshText(option.help);
        std::string action;
        switch (option.kind) {
        case ValueKind::None:
            break;
        case ValueKind::Rows:
            action = ":LIST:_tessel_rows";
            break;
        case ValueKind::File:
            action = ":FILE:_files";
            break;
        case ValueKind::Words:
            action = ":value:(" + Joined(option.words) + ")";
            break;
        case ValueKind::Free:
            action = ":value: ";
            break;
        }
        // Options with two names exclude each other.
        const std::string names = option.names.size() > 1
                                      ? "'(" + Joined(option.names) + ")'{" + Joined(option.names, ",") + "}'"
                                      : "'" + option.names.front();
        out += " \\\n" + indent + names + "[" + help + "]" + action + "'";
    }
    return out;
}

std::string Zsh(const CLI::App& app)
{
    const std::vector<CommandSpec> commands = Commands(app);
    std::ostringstream out;
    out << "#compdef tessel\n"
        << "# zsh completion for tessel; written by `tessel --completion zsh`\n\n"
        << "_tessel_rows() {\n"
        << "    _values -s , 'rows' " << Joined(RowWords()) << "\n"
        << "}\n\n"
        << "_tessel() {\n"
        << "    local curcontext=$curcontext state line\n"
        << "    local -a commands=(\n";
    for (const CommandSpec& command : commands)
        out << "        '" << command.name << ':' << ZshText(command.help, false) << "'\n";
    out << "    )\n"
        << "    _arguments -C" << ZshSpecs(Options(app), "        ") << " \\\n"
        << "        '1: :->command' '*:: :->args'\n"
        << "    case $state in\n"
        << "    command) _describe -t commands 'tessel command' commands ;;\n"
        << "    args)\n"
        << "        case $line[1] in\n";
    for (const CommandSpec& command : commands)
        out << "        " << command.name << ") _arguments" << ZshSpecs(command.options, "                ")
            << " ;;\n";
    out << "        esac ;;\n"
        << "    esac\n"
        << "}\n\n"
        << "_tessel \"$@\"\n";
    return out.str();
}

} // namespace

std::string ShellCompletion(const CLI::App& app, std::string_view shell)
{
    if (shell == "bash")
        return Bash(app);
    if (shell == "zsh")
        return Zsh(app);
    return {};
}

} // namespace tessel
