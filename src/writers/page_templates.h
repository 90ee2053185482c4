// The two files' template tables and the functions that write them to an open stream.
#ifndef ZENTAVO_PAGE_TEMPLATES_H
#define ZENTAVO_PAGE_TEMPLATES_H

#include <cstddef>
#include <string_view>

#include "output_file.h"

inline constexpr std::size_t VIDEO_SCRIPT_LINE_COUNT = 57;
inline constexpr std::size_t HTML_PAGE_LINE_COUNT = 39;

extern const template_line VIDEO_SCRIPT_LINES[VIDEO_SCRIPT_LINE_COUNT];
extern const template_line HTML_PAGE_LINES[HTML_PAGE_LINE_COUNT];

// Each writes its whole table to the open stream; neither opens, closes nor reports.
void write_video_script(text_file& file, std::string_view project_name);
void write_html_page(text_file& file, std::string_view project_name);

#endif
