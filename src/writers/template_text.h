// Template lines and how they turn into file text. A file's table is rendered once, at compile
// time, into its final bytes and the places where the project name goes; a run then only copies
// those bytes and inserts the name.
#ifndef ZENTAVO_TEMPLATE_TEXT_H
#define ZENTAVO_TEMPLATE_TEXT_H

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "markup_escape.h"

// One line of a file's template. In `text`, "%s" stands for the project name, written as `name`
// says, and "%%" for one percent sign.
struct template_line {
    std::string_view text;
    name_use name;
};

// Goes through the lines in order, calling text(piece) for each piece of literal output and
// name(use) where the project name goes. Each line feed comes out as CR LF, the bytes a Windows
// text-mode stream writes, and "%%" as one percent sign. The name is never part of a template,
// so percent signs in it are never interpreted.
template <typename Text, typename Name>
constexpr void expand_template(std::span<const template_line> lines, Text text, Name name) {
    for (const template_line& line : lines) {
        std::string_view rest = line.text;
        for (std::size_t special;
             (special = rest.find_first_of("%\n")) != std::string_view::npos;) {
            text(rest.substr(0, special));
            const char next = special + 1 < rest.size() ? rest[special + 1] : '\0';
            if (rest[special] == '\n') {
                text("\r\n");
                rest.remove_prefix(special + 1);
            } else if (next == 's') {
                name(line.name);
                rest.remove_prefix(special + 2);
            } else {
                // "%%" is one percent sign; a lone one stands for itself.
                text("%");
                rest.remove_prefix(special + (next == '%' ? 2 : 1));
            }
        }
        text(rest);
    }
}

// Where the project name goes in a rendered template.
struct name_slot {
    std::size_t at;
    name_use use;
};

// A rendered table: its literal bytes, and the name's places in them in increasing order.
struct rendered_template {
    std::string_view text;
    std::span<const name_slot> slots;
};

struct rendered_size {
    std::size_t bytes;
    std::size_t slots;
};

constexpr rendered_size measure_template(std::span<const template_line> lines) {
    rendered_size size{0, 0};
    expand_template(
        lines, [&](std::string_view piece) { size.bytes += piece.size(); },
        [&](name_use /*use*/) { ++size.slots; });
    return size;
}

template <rendered_size Size>
struct rendered_storage {
    std::array<char, Size.bytes> text;
    std::array<name_slot, Size.slots> slots;

    [[nodiscard]] constexpr rendered_template view() const {
        return {{text.data(), text.size()}, {slots.data(), slots.size()}};
    }
};

// Renders a table; Size must be measure_template(lines).
template <rendered_size Size>
constexpr rendered_storage<Size> render_template(std::span<const template_line> lines) {
    rendered_storage<Size> out{};
    std::size_t length = 0;
    std::size_t count = 0;
    expand_template(
        lines,
        [&](std::string_view piece) {
            for (char c : piece) {
                out.text[length++] = c;
            }
        },
        [&](name_use use) {
            out.slots[count++] = {length, use};
        });
    return out;
}

#endif
