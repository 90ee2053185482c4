#include "output_file.h"

#include <cstring>

#include "console.h"

namespace {

void flush_buffer(text_file& file) {
    if (file.buffered != 0 && !file.failed &&
        std::fwrite(file.buffer, 1, file.buffered, file.stream) != file.buffered) {
        file.failed = true;
    }
    file.buffered = 0;
}

void put_bytes(text_file& file, std::string_view bytes) {
    if (bytes.size() > TEXT_FILE_BUFFER - file.buffered) {
        flush_buffer(file);
    }
    if (bytes.size() > TEXT_FILE_BUFFER) {
        if (!file.failed &&
            std::fwrite(bytes.data(), 1, bytes.size(), file.stream) != bytes.size()) {
            file.failed = true;
        }
        return;
    }
    if (!bytes.empty()) {
        std::memcpy(file.buffer + file.buffered, bytes.data(), bytes.size());
        file.buffered += bytes.size();
    }
}

// Runs of bytes that need nothing go out in one piece. A line feed of the name that its place does
// not escape goes out as CR LF, as every other line feed of the file does.
void put_name(text_file& file, std::string_view name, name_use use) {
    std::size_t plain = 0;
    for (std::size_t at = 0; at < name.size();) {
        escape replacement = escape_at(use, name.substr(at));
        if (replacement.length == 0 && name[at] == '\n') {
            replacement = {"\r\n", 1};
        }
        if (replacement.length == 0) {
            ++at;
            continue;
        }
        put_bytes(file, name.substr(plain, at - plain));
        put_bytes(file, replacement.text);
        at += replacement.length;
        plain = at;
    }
    put_bytes(file, name.substr(plain));
}

}  // namespace

void attach_text_file(text_file& file, std::FILE* stream) {
    file.stream = stream;
    file.failed = false;
    file.buffered = 0;
}

// Binary mode on every platform: this layer makes the line ends itself, so both builds write
// the same bytes. The stream needs no buffer of its own: this layer hands it whole buffers.
bool create_text_file(text_file& file, const char* path) {
    attach_text_file(file, std::fopen(path, "wb"));
    if (file.stream == nullptr) {
        return false;
    }
    std::setvbuf(file.stream, nullptr, _IONBF, 0);
    return true;
}

void write_rendered(text_file& file, const rendered_template& rendered, std::string_view name) {
    std::size_t from = 0;
    for (const name_slot& slot : rendered.slots) {
        put_bytes(file, rendered.text.substr(from, slot.at - from));
        put_name(file, name, slot.use);
        from = slot.at;
    }
    put_bytes(file, rendered.text.substr(from));
}

// A failed flush of buffered bytes shows only at close, so its result counts as well.
bool close_text_file(text_file& file) {
    flush_buffer(file);
    bool written = !file.failed && std::ferror(file.stream) == 0;
    if (std::fclose(file.stream) != 0) {
        written = false;
    }
    file.stream = nullptr;
    return written;
}

bool run_output_stage(const output_stage& stage, const char* path, std::string_view name,
                      std::string_view created_argument) {
    text_file file;
    if (!create_text_file(file, path)) {
        print_message(stage.creation_error);
        return false;
    }
    write_rendered(file, stage.content, name);
    if (!close_text_file(file)) {
        // An incomplete file would look like a finished one; do not leave it behind.
        std::remove(path);
        print_message(stage.write_error);
        return false;
    }
    print_message(stage.created, created_argument);
    return true;
}
