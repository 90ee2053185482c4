// Fuzzes name derivation and both writers with arbitrary argument bytes, rendering into memory.
// For every argument the command would accept it checks that the names hold together, fit their
// buffers, and that each file is its table with only the escaped name inserted.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "name_derivation.h"
#include "page_templates.h"

namespace {

// Room for either file with a name of 255 bytes, every byte escaped at six.
char expected[16384];

// What a writer produced, kept until the next rendering.
char* rendered = nullptr;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// A NUL-terminated name of at most 255 bytes.
std::string_view held_name(const char (&name)[NAME_CAPACITY]) {
    const std::size_t length = strnlen(name, NAME_CAPACITY);
    require(length < NAME_CAPACITY, "a name fills its buffer without a terminating NUL");
    return {name, length};
}

template <typename Write>
std::string_view render(Write write, std::string_view name) {
    std::free(rendered);
    std::size_t size = 0;
    text_file file;
    attach_text_file(file, open_memstream(&rendered, &size));
    require(file.stream != nullptr, "open_memstream");
    write(file, name);
    require(close_text_file(file), "writing into memory failed");
    return {rendered, size};
}

// The expected bytes, rebuilt here without the writers' code: each template's "%%" and line
// feeds, and the name with only the escapes the line's place calls for.
struct builder {
    std::size_t length = 0;
    void add(std::string_view text) {
        for (char c : text) {
            if (c == '\n') {
                put('\r');
            }
            put(c);
        }
    }
    void put(char c) {
        require(length < sizeof expected, "expected bytes overflow");
        expected[length++] = c;
    }
};

void add_markup(builder& out, std::string_view name) {
    for (char c : name) {
        switch (c) {
        case '&': out.add("&amp;"); break;
        case '<': out.add("&lt;"); break;
        case '>': out.add("&gt;"); break;
        case '"': out.add("&quot;"); break;
        default: out.add({&c, 1});
        }
    }
}

void add_js_string(builder& out, std::string_view name) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const std::string_view rest = name.substr(i);
        if (byte < 0x20 || byte == '<') {
            const char escape[] = {'\\', 'u', '0', '0', HEX[byte >> 4], HEX[byte & 15]};
            out.add({escape, sizeof escape});
        } else if (byte == '\\' || byte == '"') {
            const char escape[] = {'\\', static_cast<char>(byte)};
            out.add({escape, sizeof escape});
        } else if (rest.starts_with("\xE2\x80\xA8") || rest.starts_with("\xE2\x80\xA9")) {
            out.add(rest[2] == '\xA8' ? "\\u2028" : "\\u2029");
            i += 2;
        } else {
            out.put(static_cast<char>(byte));
        }
    }
}

std::string_view expected_file(const template_line* lines, std::size_t count,
                               std::string_view name) {
    builder out;
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view text = lines[i].text;
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text[at] != '%') {
                out.add(text.substr(at, 1));
            } else if (text[++at] == '%') {
                out.put('%');
            } else if (lines[i].name == name_use::markup) {
                add_markup(out, name);
            } else {
                add_js_string(out, name);
            }
        }
    }
    return {expected, out.length};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An argument arrives NUL-terminated, so it ends at its first NUL.
    std::string_view argument(reinterpret_cast<const char*>(data), size);
    argument = argument.substr(0, argument.find('\0'));
    if (argument.size() > MAX_ARGUMENT_LENGTH || !names_mp4_file(argument)) {
        return 0;
    }

    const project_names names = derive_project_names(argument);
    const std::string_view base = held_name(names.base_path);
    const std::string_view project = held_name(names.project_name);
    require(argument.starts_with(base), "base_path is not the start of the argument");
    require(base.ends_with(project), "project_name is not a suffix of base_path");
    // The cut falls where ".mp4", in any letter case, starts in the file name.
    const std::string_view cut = argument.substr(base.size(), 4);
    require(cut.size() == 4 && cut[0] == '.' && (cut[1] | 0x20) == 'm' && (cut[2] | 0x20) == 'p' &&
                cut[3] == '4',
            "base_path is not cut at a \".mp4\"");
    require(argument.substr(base.size()).find_first_of("\\/") == std::string_view::npos,
            "base_path is cut inside a directory name");
    require(project.find_first_of("\\/") == std::string_view::npos,
            "project_name holds a directory separator");
    const struct {
        std::string_view name;
        std::string_view suffix;
    } derived[] = {{held_name(names.video_source), ".mp4"},
                   {held_name(names.xml_file), ".xml"},
                   {held_name(names.html_file), ".htm"}};
    for (const auto& [name, suffix] : derived) {
        require(name.size() == base.size() + 4 && name.starts_with(base) && name.ends_with(suffix),
                "a file name is not base_path with its suffix");
    }

    require(render(write_video_script, project) ==
                expected_file(VIDEO_SCRIPT_LINES, VIDEO_SCRIPT_LINE_COUNT, project),
            "the video script is not its table with the escaped name");
    require(render(write_html_page, project) ==
                expected_file(HTML_PAGE_LINES, HTML_PAGE_LINE_COUNT, project),
            "the HTML page is not its table with the escaped name");
    return 0;
}
