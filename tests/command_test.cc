// The built command run end to end in a temporary folder: console output, exit status and what
// stands on disk afterwards. The same cases run natively and, when it is built, against
// zentavo.exe under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
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
    std::string expected_output;
    int expected_status;
    std::vector<std::string> created;  // paths that stand afterwards and did not before
    std::vector<std::string> removed;  // paths that stood before and are gone afterwards
    std::string written_base;          // when set, both files there hold the plain name's bytes
};

const std::string LONGEST = std::string(251, 'a') + ".mp4";  // 255 bytes
const std::string LONGEST_BASE = std::string(251, 'a');
const std::string TOO_LONG_ARGUMENT = std::string(252, 'a') + ".mp4";  // 256 bytes

// Cases whose paths mean the same on Linux and on Windows.
const std::vector<command_case> COMMON_CASES = {
    {"NoArgument", {}, {}, {}, USAGE, 1, {}, {}, ""},
    {"NotMp4", {"tour.avi"}, {}, {}, NOT_MP4, 1, {}, {}, ""},
    {"EmptyArgument", {""}, {}, {}, NOT_MP4, 1, {}, {}, ""},
    {"Mp4OnlyInADirectoryName", {"x.mp4/clip.avi"}, {"x.mp4"}, {}, NOT_MP4, 1, {}, {}, ""},
    {"TooLong", {TOO_LONG_ARGUMENT}, {}, {}, TOO_LONG, 1, {}, {}, ""},
    {"Success", {"clip.mp4"}, {}, {}, success("clip", "clip"), 0, {"clip.xml", "clip.htm"}, {},
     "clip"},
    {"ExtraArgumentsIgnored", {"clip.mp4", "other.mp4", "-h"}, {}, {}, success("clip", "clip"), 0,
     {"clip.xml", "clip.htm"}, {}, "clip"},
    {"LongestArgument", {LONGEST}, {}, {}, success(LONGEST_BASE, LONGEST_BASE), 0,
     {LONGEST_BASE + ".xml", LONGEST_BASE + ".htm"}, {}, LONGEST_BASE},
    {"UpperCaseSuffix", {"Tour.MP4"}, {}, {}, success("Tour", "Tour"), 0,
     {"Tour.xml", "Tour.htm"}, {}, "Tour"},
    {"DottedName", {"holiday.2017.mp4"}, {}, {}, success("holiday.2017", "holiday.2017"), 0,
     {"holiday.2017.xml", "holiday.2017.htm"}, {}, "holiday.2017"},
    {"DottedDirectory", {"Clips.2017/clip.mp4"}, {"Clips.2017"}, {},
     success("Clips.2017/clip", "clip"), 0, {"Clips.2017/clip.xml", "Clips.2017/clip.htm"}, {},
     "Clips.2017/clip"},
    {"MissingDirectory", {"missing/clip.mp4"}, {}, {},
     report("missing/clip", "clip") + "\nVideo Script File Creation Error.\n", 1, {}, {}, ""},
    {"DirectoryNamedLikeTheScript", {"clip.mp4"}, {"clip.xml"}, {},
     report("clip", "clip") + "\nVideo Script File Creation Error.\n", 1, {}, {}, ""},
    {"DirectoryNamedLikeThePage", {"clip.mp4"}, {"clip.htm"}, {},
     report("clip", "clip") + script_created("clip") + "\nHTML File Creation Error.\n", 1,
     {"clip.xml"}, {}, ""},
};

// Linux only: symbolic links, and forward slashes as the only separator the file system knows.
const std::vector<command_case> NATIVE_CASES = {
    {"Subfolders", {"sub/deeper/Tour.MP4"}, {"sub/deeper"}, {},
     success("sub/deeper/Tour", "Tour"), 0, {"sub/deeper/Tour.xml", "sub/deeper/Tour.htm"}, {},
     "sub/deeper/Tour"},
    {"ScriptWriteError", {"clip.mp4"}, {}, {"clip.xml"},
     report("clip", "clip") + "\nVideo Script File Write Error.\n", 1, {}, {"clip.xml"}, ""},
    {"PageWriteError", {"clip.mp4"}, {}, {"clip.htm"},
     report("clip", "clip") + script_created("clip") + "\nHTML File Write Error.\n", 1,
     {"clip.xml"}, {"clip.htm"}, ""},
};

// Windows only: backslashes separate directories and the argument arrives as UTF-8.
const std::string CAFE = "Caf\xC3\xA9 \xC3\xA0 Z\xC3\xBCrich";
const std::vector<command_case> WINDOWS_CASES = {
    {"BackslashSubfolders", {R"(sub\deeper\Tour.MP4)"}, {"sub/deeper"}, {},
     success(R"(sub\deeper\Tour)", "Tour"), 0, {"sub/deeper/Tour.xml", "sub/deeper/Tour.htm"},
     {}, "sub/deeper/Tour"},
    {"DotBackslash", {R"(.\clip.mp4)"}, {}, {}, success(R"(.\clip)", "clip"), 0,
     {"clip.xml", "clip.htm"}, {}, "clip"},
    {"Utf8Name", {CAFE + ".mp4"}, {}, {}, success(CAFE, CAFE), 0, {CAFE + ".xml", CAFE + ".htm"},
     {}, CAFE},
};

std::string with_line_ends(const std::string& text, const std::string& line_end) {
    std::string result;
    for (char c : text) {
        result += c == '\n' ? line_end : std::string(1, c);
    }
    return result;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
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
            "\r\n", missing};
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
    const std::set<std::string> before = listing(folder.path());

    std::vector<std::string> program = target.launcher;
    program.push_back(target.executable);
    const command_result result = run_in(folder.path(), program, c.arguments, target.environment);

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

    // Whatever stands must be complete: the project's files hold the plain name's bytes.
    if (!c.written_base.empty()) {
        const std::string project = fs::path(c.written_base).filename().string();
        EXPECT_EQ(read_file_bytes(folder.path() / (c.written_base + ".xml")),
                  replace_all(read_file_bytes(EXPECTED_DIR "/clip.xml"), "clip", project));
        EXPECT_EQ(read_file_bytes(folder.path() / (c.written_base + ".htm")),
                  replace_all(read_file_bytes(EXPECTED_DIR "/clip.htm"), "clip", project));
    }
    if (std::find(c.created.begin(), c.created.end(), "clip.xml") != c.created.end() &&
        c.written_base.empty()) {
        EXPECT_EQ(read_file_bytes(folder.path() / "clip.xml"),
                  read_file_bytes(EXPECTED_DIR "/clip.xml"));
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
                         testing::ValuesIn(cases_for(windows_target(), WINDOWS_CASES)),
                         case_name);

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
