// The built command run end to end in a temporary folder: console output, exit status and what
// stands on disk afterwards. The same cases run natively and, when it is built, against
// zentavo.exe under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

const std::string VIDEO_BYTES = std::string("not really a video\0\r\n\x1A", 23);

// The console texts, spelled out with "\n" line ends.
const std::string USAGE = "\nUsage: Zentavo <mp4 file>  \n";
const std::string BANNER = "\nLumarest 3.1 (2017/04/15)\nWritten by the Zentavo authors.\n\n";
const std::string NOT_MP4 = BANNER + "\nVideo Source is not mp4 file.\n";
const std::string TOO_LONG = BANNER + "\nVideo Source path is longer than 255 characters.\n";

std::string report(const std::string& base, const std::string& project) {
    return BANNER + "Project Name: " + project + "\nVideo Source: " + base +
           ".mp4\nXml File: " + base + ".xml\nHtml File: " + base + ".htm\n";
}

std::string script_created(const std::string& project) {
    return "\nVideo Script File " + project + ".xml has been Created.\n";
}

std::string success(const std::string& base, const std::string& project) {
    return report(base, project) + script_created(project) + "HTML File " + base +
           ".htm has been Created.\n";
}

struct command_case {
    std::string label;
    std::vector<std::string> arguments;
    std::vector<std::string> folders;         // made before the run
    std::vector<std::string> links_dev_full;  // symbolic links to /dev/full made before the run
    std::vector<std::pair<std::string, std::string>> existing;  // files and bytes before the run
    std::string expected_output;
    int expected_status = 1;
    std::vector<std::string> created;  // paths that stand afterwards and did not before
    std::vector<std::string> removed;  // paths that stood before and are gone afterwards
    std::string written_base;          // when set, both files there must be complete
    int runs = 1;                      // how often the command runs; the last run is checked
};

// A run that writes both files: what it prints, and where the files land as the test folder's
// own path (the base path itself unless Windows reads it differently).
command_case written(std::string label, std::string argument, const std::string& base,
                     const std::string& project, std::string on_disk = "") {
    if (on_disk.empty()) {
        on_disk = base;
    }
    return {.label = std::move(label),
            .arguments = {std::move(argument)},
            .expected_output = success(base, project),
            .expected_status = 0,
            .created = {on_disk + ".xml", on_disk + ".htm"},
            .written_base = on_disk};
}

command_case written_in(command_case c, std::vector<std::string> folders) {
    c.folders = std::move(folders);
    return c;
}

const std::string LONGEST_BASE = std::string(251, 'a');
const std::string LONGEST = LONGEST_BASE + ".mp4";                     // 255 bytes
const std::string TOO_LONG_ARGUMENT = std::string(252, 'a') + ".mp4";  // 256 bytes
const std::string FAR_TOO_LONG = std::string(4996, 'b') + ".mp4";      // 5000 bytes
const std::string STALE = std::string(20000, 'x') + "</krpano>";

// Cases whose paths mean the same on Linux and on Windows.
const std::vector<command_case> COMMON_CASES = {
    {.label = "NoArgument", .expected_output = USAGE},
    {.label = "NotMp4", .arguments = {"tour.avi"}, .expected_output = NOT_MP4},
    {.label = "EmptyArgument", .arguments = {""}, .expected_output = NOT_MP4},
    {.label = "Mp4OnlyInADirectoryName",
     .arguments = {"x.mp4/clip.avi"},
     .folders = {"x.mp4"},
     .expected_output = NOT_MP4},
    {.label = "TooLong", .arguments = {TOO_LONG_ARGUMENT}, .expected_output = TOO_LONG},
    {.label = "FarTooLong", .arguments = {FAR_TOO_LONG}, .expected_output = TOO_LONG},
    written("Success", "clip.mp4", "clip", "clip"),
    [] {
        command_case c = written("ExtraArgumentsIgnored", "clip.mp4", "clip", "clip");
        c.arguments = {"clip.mp4", "other.mp4", "-h"};
        return c;
    }(),
    written("LongestArgument", LONGEST, LONGEST_BASE, LONGEST_BASE),
    written("UpperCaseSuffix", "Tour.MP4", "Tour", "Tour"),
    written("DottedName", "holiday.2017.mp4", "holiday.2017", "holiday.2017"),
    written_in(written("DottedDirectory", "Clips.2017/clip.mp4", "Clips.2017/clip", "clip"),
               {"Clips.2017"}),
    written("FormatDirectives", "%s%n%x%p%%.mp4", "%s%n%x%p%%", "%s%n%x%p%%"),
    written("OnlyDots", "....mp4", "...", "..."),
    written("MarkupCharacters", "R&B 'live' 100%.mp4", "R&B 'live' 100%", "R&B 'live' 100%"),
    [] {
        command_case c = written("SameRunTwice", "clip.mp4", "clip", "clip");
        c.runs = 2;
        return c;
    }(),
    // An older and longer file of the same name: replaced, no stale bytes left.
    [] {
        command_case c = written("LongerFilesReplaced", "clip.mp4", "clip", "clip");
        c.existing = {{"clip.xml", STALE}, {"clip.htm", STALE}};
        c.created = {};
        return c;
    }(),
    {.label = "MissingDirectory",
     .arguments = {"missing/clip.mp4"},
     .expected_output = report("missing/clip", "clip") + "\nVideo Script File Creation Error.\n"},
    {.label = "DirectoryNamedLikeTheScript",
     .arguments = {"clip.mp4"},
     .folders = {"clip.xml"},
     .expected_output = report("clip", "clip") + "\nVideo Script File Creation Error.\n"},
    {.label = "DirectoryNamedLikeThePage",
     .arguments = {"clip.mp4"},
     .folders = {"clip.htm"},
     .expected_output =
         report("clip", "clip") + script_created("clip") + "\nHTML File Creation Error.\n",
     .created = {"clip.xml"}},
};

std::string bytes_from(int first, int last) {
    std::string bytes;
    for (int byte = first; byte <= last; ++byte) {
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// Linux only: symbolic links, names Windows does not allow, and forward slashes as the only
// separator the file system knows.
const std::string ODD_BYTES = bytes_from(0x01, 0x1F) + bytes_from(0x80, 0xFF);
const std::vector<command_case> NATIVE_CASES = {
    written_in(written("Subfolders", "sub/deeper/Tour.MP4", "sub/deeper/Tour", "Tour"),
               {"sub/deeper"}),
    written("ControlAndHighBytes", ODD_BYTES + ".mp4", ODD_BYTES, ODD_BYTES),
    written("QuotesAndAngleBrackets", "say \"<hi>\".mp4", "say \"<hi>\"", "say \"<hi>\""),
    {.label = "ScriptWriteError",
     .arguments = {"clip.mp4"},
     .links_dev_full = {"clip.xml"},
     .expected_output = report("clip", "clip") + "\nVideo Script File Write Error.\n",
     .removed = {"clip.xml"}},
    {.label = "PageWriteError",
     .arguments = {"clip.mp4"},
     .links_dev_full = {"clip.htm"},
     .expected_output =
         report("clip", "clip") + script_created("clip") + "\nHTML File Write Error.\n",
     .created = {"clip.xml"},
     .removed = {"clip.htm"}},
};

// Windows only: backslashes separate directories and the argument arrives as UTF-8.
const std::string CAFE = "Caf\xC3\xA9 \xC3\xA0 Z\xC3\xBCrich";
const std::vector<command_case> WINDOWS_CASES = {
    written_in(written("BackslashSubfolders", R"(sub\deeper\Tour.MP4)", R"(sub\deeper\Tour)",
                       "Tour", "sub/deeper/Tour"),
               {"sub/deeper"}),
    written("DotBackslash", R"(.\clip.mp4)", R"(.\clip)", "clip", "clip"),
    written("Utf8Name", CAFE + ".mp4", CAFE, CAFE),
};

// What the files must hold for a project name, from the plain name's expected files and escapes
// spelled out here: markup entities, JavaScript string escapes, CR LF for every line feed.
std::string as_markup(const std::string& name) {
    std::string out;
    for (char c : name) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "\r\n"; break;
        default: out += c;
        }
    }
    return out;
}

std::string as_js_string(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '<') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            out += escape;
        } else if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string expected_script(const std::string& project) {
    return replace_all(read_file_bytes(EXPECTED_DIR "/clip.xml"), "clip", as_markup(project));
}

std::string expected_page(const std::string& project) {
    std::string page = read_file_bytes(EXPECTED_DIR "/clip.htm");
    page = replace_all(page, "Video Clip: clip<", "Video Clip: " + as_markup(project) + "<");
    return replace_all(page, "xml: \"clip.xml\"", "xml: \"" + as_js_string(project) + ".xml\"");
}

std::string with_line_ends(const std::string& text, const std::string& line_end) {
    std::string result;
    for (char c : text) {
        result += c == '\n' ? line_end : std::string(1, c);
    }
    return result;
}

std::set<std::string> listing(const fs::path& folder) {
    std::set<std::string> paths;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        paths.insert(entry.path().lexically_relative(folder).generic_string());
    }
    return paths;
}

command_target native_target() {
    return {"Native", {}, ZENTAVO_EXE, {}, "\n", ""};
}

command_target windows_target() {
    const std::string exe = ZENTAVO_WINDOWS_EXE;
    std::string missing;
    if (exe.empty() || !fs::exists(exe)) {
        missing = "zentavo.exe was not built (x86_64-w64-mingw32-g++ missing)";
    } else if (!on_path("wine")) {
        missing = "wine is missing";
    }
    return {"Windows", {"wine"}, exe, {"WINEPREFIX=" ZENTAVO_WINE_PREFIX, "WINEDEBUG=-all"},
            "\r\n",    missing};
}

struct target_case {
    command_target target;
    command_case test;
};

void PrintTo(const target_case& c, std::ostream* os) {
    *os << c.target.label << " " << c.test.label;
}

class CommandTest : public testing::TestWithParam<target_case> {};

TEST_P(CommandTest, PrintsReportsAndLeavesTheRightFiles) {
    const command_target& target = GetParam().target;
    const command_case& c = GetParam().test;
    if (!target.missing.empty()) {
        if (in_ci()) {
            FAIL() << target.missing;
        }
        GTEST_SKIP() << target.missing;
    }
    temporary_folder folder;
    ASSERT_FALSE(folder.path().empty());
    write_file_bytes(folder.path() / "clip.mp4", VIDEO_BYTES);
    for (const std::string& sub : c.folders) {
        fs::create_directories(folder.path() / sub);
    }
    for (const std::string& link : c.links_dev_full) {
        fs::create_symlink("/dev/full", folder.path() / link);
    }
    for (const auto& [path, bytes] : c.existing) {
        write_file_bytes(folder.path() / path, bytes);
    }
    const std::set<std::string> before = listing(folder.path());

    std::vector<std::string> program = target.launcher;
    program.push_back(target.executable);
    command_result result{};
    for (int run = 0; run < c.runs; ++run) {
        result = run_in(folder.path(), program, c.arguments, target.environment);
    }

    EXPECT_EQ(result.output, with_line_ends(c.expected_output, target.line_end));
    EXPECT_EQ(result.status, c.expected_status);
    if (target.launcher.empty()) {
        EXPECT_EQ(result.errors, "");
    }

    std::set<std::string> expected = before;
    for (const std::string& path : c.removed) {
        expected.erase(path);
    }
    expected.insert(c.created.begin(), c.created.end());
    EXPECT_EQ(listing(folder.path()), expected);
    EXPECT_EQ(read_file_bytes(folder.path() / "clip.mp4"), VIDEO_BYTES);

    // Whatever stands must be complete.
    if (!c.written_base.empty()) {
        const std::string project = c.written_base.substr(c.written_base.find_last_of('/') + 1);
        EXPECT_EQ(read_file_bytes(folder.path() / (c.written_base + ".xml")),
                  expected_script(project));
        EXPECT_EQ(read_file_bytes(folder.path() / (c.written_base + ".htm")),
                  expected_page(project));
    } else if (std::find(c.created.begin(), c.created.end(), "clip.xml") != c.created.end()) {
        EXPECT_EQ(read_file_bytes(folder.path() / "clip.xml"), expected_script("clip"));
    }
}

std::vector<target_case> cases_for(const command_target& target,
                                   const std::vector<command_case>& own) {
    std::vector<target_case> cases;
    for (const auto* table : {&COMMON_CASES, &own}) {
        for (const command_case& c : *table) {
            cases.push_back({target, c});
        }
    }
    return cases;
}

std::string case_name(const testing::TestParamInfo<target_case>& info) {
    return info.param.test.label;
}

INSTANTIATE_TEST_SUITE_P(Native, CommandTest,
                         testing::ValuesIn(cases_for(native_target(), NATIVE_CASES)), case_name);
INSTANTIATE_TEST_SUITE_P(Windows, CommandTest,
                         testing::ValuesIn(cases_for(windows_target(), WINDOWS_CASES)), case_name);

// A name with every character that is special in markup: the script still parses and gives
// the exact name back.
TEST(NativeMarkup, ScriptParsesAndGivesTheNameBack) {
    if (!on_path("xmllint")) {
        if (in_ci()) {
            FAIL() << "xmllint is missing (Debian package libxml2-utils)";
        }
        GTEST_SKIP() << "xmllint is missing (Debian package libxml2-utils)";
    }
    const std::string name = "R&B <\"live\"> 'n' 100%s";
    temporary_folder folder;
    const command_result run = run_in(folder.path(), {ZENTAVO_EXE}, {name + ".mp4"});
    ASSERT_EQ(run.status, 0) << run.output;

    const struct {
        const char* xpath;
        std::string value;
    } queries[] = {
        {"string(/krpano/xmlscript/@name)", name + ".xml"},
        {"string(/krpano/window/@title)", "3D Video Play: " + name + ".mp4"},
        {"string(/krpano/scene/plugin[@name='video']/@videourl)", name + ".mp4"},
    };
    for (const auto& query : queries) {
        const command_result parsed =
            run_in(folder.path(), {"xmllint", "--xpath", query.xpath, name + ".xml"}, {});
        EXPECT_EQ(parsed.status, 0) << parsed.errors;
        EXPECT_EQ(parsed.output, query.value + "\n") << query.xpath;
    }
}

}  // namespace
