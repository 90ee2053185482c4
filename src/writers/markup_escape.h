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

namespace markup_escape_detail {

// Only the four characters that can end or break a markup value change. Percent signs,
// apostrophes and bytes of other scripts stay exactly as the command line delivered them.
constexpr escape markup_escape_at(std::string_view rest) {
    switch (rest.front()) {
    case '&': return {"&amp;", 1};
    case '<': return {"&lt;", 1};
    case '>': return {"&gt;", 1};
    case '"': return {"&quot;", 1};
    default: return {{}, 0};
    }
}

// "\u0000" to "\u001F", six characters each.
constexpr std::size_t JS_ESCAPE_LENGTH = 6;
constexpr std::string_view JS_CONTROL_ESCAPES =
    "\\u0000\\u0001\\u0002\\u0003\\u0004\\u0005\\u0006\\u0007"
    "\\u0008\\u0009\\u000A\\u000B\\u000C\\u000D\\u000E\\u000F"
    "\\u0010\\u0011\\u0012\\u0013\\u0014\\u0015\\u0016\\u0017"
    "\\u0018\\u0019\\u001A\\u001B\\u001C\\u001D\\u001E\\u001F";

// The string must not end early (quote, backslash, line terminators) and the script element
// must not end early: escaping every '<' keeps "</script" and "<!--" out of it.
constexpr escape js_string_escape_at(std::string_view rest) {
    const auto byte = static_cast<unsigned char>(rest.front());
    if (byte < 0x20) {
        return {JS_CONTROL_ESCAPES.substr(JS_ESCAPE_LENGTH * byte, JS_ESCAPE_LENGTH), 1};
    }
    switch (byte) {
    case '\\': return {"\\\\", 1};
    case '"': return {"\\\"", 1};
    case '<': return {"\\u003C", 1};
    default: break;
    }
    // U+2028 and U+2029 end a line inside a string for older script engines.
    if (rest.starts_with("\xE2\x80\xA8")) {
        return {"\\u2028", 3};
    }
    if (rest.starts_with("\xE2\x80\xA9")) {
        return {"\\u2029", 3};
    }
    return {{}, 0};
}

}  // namespace markup_escape_detail

// Inline, as it is asked once for every byte of every name written.
constexpr escape escape_at(name_use use, std::string_view rest) {
    if (rest.empty()) {
        return {{}, 0};
    }
    switch (use) {
    case name_use::markup: return markup_escape_detail::markup_escape_at(rest);
    case name_use::js_string: return markup_escape_detail::js_string_escape_at(rest);
    case name_use::none: break;
    }
    return {{}, 0};
}

#endif
