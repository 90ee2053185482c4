// What the two stages print on standard output. They keep the platform's line ends.
#ifndef ZENTAVO_STAGE_MESSAGES_H
#define ZENTAVO_STAGE_MESSAGES_H

#include <string_view>

inline constexpr std::string_view VIDEO_SCRIPT_CREATED =
    "\nVideo Script File %s.xml has been Created.\n";
inline constexpr std::string_view VIDEO_SCRIPT_CREATION_ERROR =
    "\nVideo Script File Creation Error.\n";
inline constexpr std::string_view VIDEO_SCRIPT_WRITE_ERROR = "\nVideo Script File Write Error.\n";

// Unlike the script's, the page's success message has no leading empty line.
inline constexpr std::string_view HTML_PAGE_CREATED = "HTML File %s has been Created.\n";
inline constexpr std::string_view HTML_PAGE_CREATION_ERROR = "\nHTML File Creation Error.\n";
inline constexpr std::string_view HTML_PAGE_WRITE_ERROR = "\nHTML File Write Error.\n";

#endif
