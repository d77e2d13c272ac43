#pragma once

#include <optional>
#include <string>

namespace tessel {

// Prints the prompt on standard error and reads one line from the terminal on
// standard input with echo off, as UTF-8. None when standard input is not a
// terminal or cannot be read.
// Ctrl-C, Ctrl-\, SIGTERM and SIGHUP end the program only after echo is back
// on; after Ctrl-Z and fg the prompt comes again.
std::optional<std::string> AskPasswordOnTerminal(const char* prompt);

bool StandardOutputIsTerminal();

} // namespace tessel
