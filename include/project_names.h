// The names one run derives from its argument, shared by the driver and the writers.
#ifndef ZENTAVO_PROJECT_NAMES_H
#define ZENTAVO_PROJECT_NAMES_H

#include <cstddef>

// Every name is at most 255 bytes plus its terminating NUL.
inline constexpr std::size_t NAME_CAPACITY = 256;

struct project_names {
    char base_path[NAME_CAPACITY];     // the argument cut before its file name's last ".mp4"
    char project_name[NAME_CAPACITY];  // the file-name part of base_path; may be empty
    char video_source[NAME_CAPACITY];  // base_path + ".mp4"
    char xml_file[NAME_CAPACITY];      // base_path + ".xml"
    char html_file[NAME_CAPACITY];     // base_path + ".htm"
};

#endif
