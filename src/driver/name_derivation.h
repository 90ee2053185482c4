// How the driver turns its argument into the names of one run.
#ifndef ZENTAVO_NAME_DERIVATION_H
#define ZENTAVO_NAME_DERIVATION_H

#include <string_view>

#include "project_names.h"

// The longest argument whose names fit their buffers.
inline constexpr std::size_t MAX_ARGUMENT_LENGTH = NAME_CAPACITY - 1;

// True when the names derived from argument fit their buffers.
bool argument_fits(std::string_view argument);

// The part of path after its last directory separator.
std::string_view file_name_of(std::string_view path);

// True when the file name of argument contains ".mp4" in any letter case.
bool names_mp4_file(std::string_view argument);

// The names for an argument that fits and names an MP4 file.
project_names derive_project_names(std::string_view argument);

#endif
