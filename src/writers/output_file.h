// The one layer through which both stages write their files: creation, template lines with CR LF
// line ends, error tracking, close and clean-up.
#ifndef ZENTAVO_OUTPUT_FILE_H
#define ZENTAVO_OUTPUT_FILE_H

#include <cstdio>
#include <string_view>

#include "template_text.h"

// Both files of a plain name fit in one buffer, so each goes out in one write.
inline constexpr std::size_t TEXT_FILE_BUFFER = 8192;

// An output stream, the bytes not yet handed to it, and whether anything written has failed.
struct text_file {
    std::FILE* stream = nullptr;
    bool failed = false;
    std::size_t buffered = 0;
    char buffer[TEXT_FILE_BUFFER];
};

// Starts writing to an open stream, such as one in memory.
void attach_text_file(text_file& file, std::FILE* stream);

// Creates path as a new empty file, truncating an existing one. False when it cannot be created.
bool create_text_file(text_file& file, const char* path);

// Writes a rendered table with name inserted, escaped as each place says. A line feed of the name
// that its place does not escape reaches the stream as CR LF, as the template's own do.
void write_rendered(text_file& file, const rendered_template& rendered, std::string_view name);

// Closes the stream. True only when every write and the close succeeded.
bool close_text_file(text_file& file);

// What a stage writes and what it says about it.
struct output_stage {
    rendered_template content;
    std::string_view creation_error;  // printed when the file cannot be created
    std::string_view write_error;     // printed when writing or closing fails
    std::string_view created;         // printed on success, with one "%s"
};

// Creates path, writes the stage's lines with name, closes it and prints the outcome; a file that
// failed to be written completely is removed. True only when the file stands complete.
bool run_output_stage(const output_stage& stage, const char* path, std::string_view name,
                      std::string_view created_argument);

#endif
