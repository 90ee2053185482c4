#include "name_derivation.h"

#include <algorithm>

namespace {

constexpr std::string_view MP4_SUFFIX = ".MP4";

// Only the bytes a to z change; every other byte, UTF-8 included, stays as it is.
char upper_ascii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Position of the last ".mp4" in text, in any letter case, or npos.
std::size_t find_last_mp4(std::string_view text) {
    if (text.size() < MP4_SUFFIX.size()) {
        return std::string_view::npos;
    }
    for (std::size_t at = text.size() - MP4_SUFFIX.size() + 1; at-- > 0;) {
        std::size_t i = 0;
        while (i < MP4_SUFFIX.size() && upper_ascii(text[at + i]) == MP4_SUFFIX[i]) {
            ++i;
        }
        if (i == MP4_SUFFIX.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

// Stores head followed by suffix as a NUL-terminated name, cut to fit if it ever would not.
void store_name(char (&name)[NAME_CAPACITY], std::string_view head, std::string_view suffix = {}) {
    std::size_t length = 0;
    for (std::string_view part : {head, suffix}) {
        const std::size_t count = std::min(part.size(), NAME_CAPACITY - 1 - length);
        std::copy_n(part.data(), count, name + length);
        length += count;
    }
    name[length] = '\0';
}

}  // namespace

// Every derived name is at most as long as the argument, so an argument that fits a name buffer
// with its terminating NUL fits them all.
bool argument_fits(std::string_view argument) {
    return argument.size() <= MAX_ARGUMENT_LENGTH;
}

// Both '\' and '/' separate directories, on every platform; a drive letter's colon does not.
std::string_view file_name_of(std::string_view path) {
    std::size_t start = path.size();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/') {
        --start;
    }
    return path.substr(start);
}

// A directory whose name contains ".mp4" does not make the argument an MP4 file.
bool names_mp4_file(std::string_view argument) {
    return find_last_mp4(file_name_of(argument)) != std::string_view::npos;
}

// The base path is the argument cut at the start of the last ".mp4" in its file name, so that
// dots in directory names and earlier in the file name stay, and the files land beside the video.
project_names derive_project_names(std::string_view argument) {
    const std::string_view file_name = file_name_of(argument);
    const std::size_t directory_length = argument.size() - file_name.size();
    const std::size_t cut = directory_length + find_last_mp4(file_name);
    const std::string_view base_path = argument.substr(0, cut);

    project_names names;
    store_name(names.base_path, base_path);
    store_name(names.project_name, base_path.substr(directory_length));
    // The suffixes are always lower case, whatever the case of the argument's own.
    store_name(names.video_source, base_path, ".mp4");
    store_name(names.xml_file, base_path, ".xml");
    store_name(names.html_file, base_path, ".htm");
    return names;
}
