// Console output shared by the driver and the stages: fixed messages on standard output, in the
// platform's own text mode.
#ifndef ZENTAVO_CONSOLE_H
#define ZENTAVO_CONSOLE_H

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "project_names.h"

// Prints message with its "%s", if it has one, replaced by argument, in one write. The argument's
// bytes are printed as they are: a percent sign in a name is never taken for a directive.
inline void print_message(std::string_view message, std::string_view argument = {}) {
    const std::size_t directive = message.find("%s");
    if (directive == std::string_view::npos) {
        std::fwrite(message.data(), 1, message.size(), stdout);
        return;
    }
    const std::string_view pieces[] = {message.substr(0, directive), argument,
                                       message.substr(directive + 2)};
    char line[2 * NAME_CAPACITY];
    if (message.size() + argument.size() > sizeof line) {
        for (std::string_view piece : pieces) {
            std::fwrite(piece.data(), 1, piece.size(), stdout);
        }
        return;
    }
    char* end = line;
    for (std::string_view piece : pieces) {
        end = std::copy(piece.begin(), piece.end(), end);
    }
    std::fwrite(line, 1, static_cast<std::size_t>(end - line), stdout);
}

#endif
