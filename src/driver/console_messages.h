// The driver's own messages on standard output. They keep the platform's line ends.
#ifndef ZENTAVO_CONSOLE_MESSAGES_H
#define ZENTAVO_CONSOLE_MESSAGES_H

#include <string_view>

// Two spaces stand before the usage message's final line feed.
inline constexpr std::string_view USAGE_MESSAGE = "\nUsage: Zentavo <mp4 file>  \n";

// The banner has no line end of its own: the credit line's leading line feed ends it.
inline constexpr std::string_view BANNER = "\nLumarest 3.1 (2017/04/15)";
inline constexpr std::string_view CREDIT_LINE = "\nWritten by the Zentavo authors.\n\n";

inline constexpr std::string_view TOO_LONG_MESSAGE =
    "\nVideo Source path is longer than 255 characters.\n";
inline constexpr const char NOT_MP4_MESSAGE[] = "\nVideo Source is not mp4 file.\n";

inline constexpr std::string_view REPORT_PROJECT_NAME = "Project Name: %s\n";
inline constexpr std::string_view REPORT_VIDEO_SOURCE = "Video Source: %s\n";
inline constexpr std::string_view REPORT_XML_FILE = "Xml File: %s\n";
inline constexpr std::string_view REPORT_HTML_FILE = "Html File: %s\n";

#endif
