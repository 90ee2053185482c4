// The one layer through which both stages write their files: creation, template lines with CR LF
// line ends, error tracking, close and clean-up.
#ifndef ZENTAVO_OUTPUT_FILE_H
#define ZENTAVO_OUTPUT_FILE_H

#include <cstdio>
#include <span>
#include <string_view>

#include "markup_escape.h"

// One line of a file's template. In `text`, "%s" stands for the project name, written as `name`
// says, and "%%" for one percent sign.
struct template_line {
    std::string_view text;
    name_use name;
};

// An output stream and whether anything written to it has failed.
struct text_file {
    std::FILE* stream;
    bool failed;
};

// Creates path as a new empty file, truncating an existing one. False when it cannot be created.
bool create_text_file(text_file& file, const char* path);

// Writes the lines in order with name inserted. Every line feed, of the template or of the name,
// reaches the stream as CR LF, the bytes a Windows text-mode stream writes.
void write_template(text_file& file, std::span<const template_line> lines, std::string_view name);

// Closes the stream. True only when every write and the close succeeded.
bool close_text_file(text_file& file);

// What a stage writes and what it says about it.
struct output_stage {
    std::span<const template_line> lines;
    const char* creation_error;  // printed when the file cannot be created
    const char* write_error;     // printed when writing or closing fails
    const char* created;         // printed on success, with one "%s"
};

// Creates path, writes the stage's lines with name, closes it and prints the outcome; a file that
// failed to be written completely is removed. True only when the file stands complete.
bool run_output_stage(const output_stage& stage, const char* path, std::string_view name,
                      const char* created_argument);

#endif
