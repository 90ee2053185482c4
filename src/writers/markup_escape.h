// How the project name is written where it lands inside markup.
#ifndef ZENTAVO_MARKUP_ESCAPE_H
#define ZENTAVO_MARKUP_ESCAPE_H

#include <cstddef>
#include <string_view>

// Where a template line puts the project name, if it takes it at all.
enum class name_use : unsigned char {
    none,       // the line takes no name
    markup,     // XML or HTML text or a double-quoted attribute value
    js_string,  // a double-quoted JavaScript string inside an HTML script element
};

// What stands for the bytes at the start of rest: `text` replaces the first `length` bytes.
// A length of 0 means the first byte is written as it is.
struct escape {
    std::string_view text;
    std::size_t length;
};

escape escape_at(name_use use, std::string_view rest);

#endif
