#include "output_file.h"

namespace {

void put_bytes(text_file& file, std::string_view bytes) {
    if (bytes.empty() || file.failed) {
        return;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream) != bytes.size()) {
        file.failed = true;
    }
}

// Text mode: each line feed goes out as CR LF.
void put_text(text_file& file, std::string_view text) {
    for (std::size_t line_feed; (line_feed = text.find('\n')) != std::string_view::npos;) {
        put_bytes(file, text.substr(0, line_feed));
        put_bytes(file, "\r\n");
        text.remove_prefix(line_feed + 1);
    }
    put_bytes(file, text);
}

// Runs of bytes that need no escape go out in one piece.
void put_name(text_file& file, std::string_view name, name_use use) {
    while (!name.empty()) {
        std::size_t plain = 0;
        escape replacement{};
        while (plain < name.size() &&
               (replacement = escape_at(use, name.substr(plain))).length == 0) {
            ++plain;
        }
        put_text(file, name.substr(0, plain));
        if (plain == name.size()) {
            return;
        }
        put_bytes(file, replacement.text);
        name.remove_prefix(plain + replacement.length);
    }
}

// The name is always an argument, never part of the template, so percent signs in it stay.
void write_template_line(text_file& file, const template_line& line, std::string_view name) {
    std::string_view rest = line.text;
    for (std::size_t percent;
         (percent = rest.find('%')) != std::string_view::npos && percent + 1 < rest.size();) {
        put_text(file, rest.substr(0, percent));
        if (rest[percent + 1] == 's') {
            put_name(file, name, line.name);
        } else {
            put_text(file, rest.substr(percent + 1, 1));
        }
        rest.remove_prefix(percent + 2);
    }
    put_text(file, rest);
}

}  // namespace

// Binary mode on every platform: this layer makes the line ends itself, so both builds write
// the same bytes.
bool create_text_file(text_file& file, const char* path) {
    file.stream = std::fopen(path, "wb");
    file.failed = false;
    return file.stream != nullptr;
}

void write_template(text_file& file, std::span<const template_line> lines, std::string_view name) {
    for (const template_line& line : lines) {
        write_template_line(file, line, name);
    }
}

// A failed flush of buffered bytes shows only at close, so its result counts as well.
bool close_text_file(text_file& file) {
    bool written = !file.failed && std::ferror(file.stream) == 0;
    if (std::fclose(file.stream) != 0) {
        written = false;
    }
    file.stream = nullptr;
    return written;
}

bool run_output_stage(const output_stage& stage, const char* path, std::string_view name,
                      const char* created_argument) {
    text_file file;
    if (!create_text_file(file, path)) {
        std::fputs(stage.creation_error, stdout);
        return false;
    }
    write_template(file, stage.lines, name);
    if (!close_text_file(file)) {
        // An incomplete file would look like a finished one; do not leave it behind.
        std::remove(path);
        std::fputs(stage.write_error, stdout);
        return false;
    }
    std::printf(stage.created, created_argument);
    return true;
}
