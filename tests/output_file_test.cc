#include "output_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "page_templates.h"

namespace {

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Renders into memory what a writer sends to its stream.
template <typename Write>
std::string render(Write write) {
    char* buffer = nullptr;
    std::size_t size = 0;
    text_file file;
    attach_text_file(file, open_memstream(&buffer, &size));
    write(file);
    EXPECT_TRUE(close_text_file(file));
    std::string bytes(buffer, size);
    std::free(buffer);
    return bytes;
}

// Renders one line at run time, the way the tables are rendered at compile time, and writes it.
std::string render_line(std::string_view text, name_use use, std::string_view name) {
    const template_line line[] = {{text, use}};
    std::string literal;
    std::vector<name_slot> slots;
    expand_template(
        line, [&](std::string_view piece) { literal += piece; },
        [&](name_use place) {
            slots.push_back({literal.size(), place});
        });
    const rendered_template rendered{literal, slots};
    return render([&](text_file& file) { write_rendered(file, rendered, name); });
}

TEST(ExpectedFiles, VideoScriptMatchesByteForByte) {
    const std::string expected = read_bytes(EXPECTED_DIR "/clip.xml");
    EXPECT_EQ(render([](text_file& file) { write_video_script(file, "clip"); }), expected);

    // What the expected file itself must show.
    EXPECT_TRUE(
        expected.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?> \r\n"
                             "<?xml-stylesheet type=\"text/xsl\" "
                             "href=\"/VR/xsl3v/krpano.xslt\"?> \r\n\r\n"));
    EXPECT_NE(expected.find("url=\"%SWFPATH%/plugins/videoplayer.swf\""), std::string::npos);
    EXPECT_EQ(expected.find("%%"), std::string::npos);
    EXPECT_TRUE(expected.ends_with("\t</scene>\r\n\r\n</krpano>\r\n\r\n"));
}

TEST(ExpectedFiles, HtmlPageMatchesByteForByte) {
    const std::string expected = read_bytes(EXPECTED_DIR "/clip.htm");
    EXPECT_EQ(render([](text_file& file) { write_html_page(file, "clip"); }), expected);

    EXPECT_NE(expected.find("\t\thtml { height:100%; }\r\n"), std::string::npos);
    EXPECT_NE(expected.find("<div id=\"pano\" style=\"width:100%;height:100%;\">"),
              std::string::npos);
    EXPECT_NE(expected.find("\t        xml: \"clip.xml\",\r\n"), std::string::npos);
    EXPECT_EQ(expected.find("%%"), std::string::npos);
    EXPECT_TRUE(expected.ends_with("</body>\r\n</html>\r\n"));
}

TEST(ExpectedFiles, EveryLineFeedFollowsACarriageReturn) {
    for (const char* name : {"clip.xml", "clip.htm"}) {
        const std::string bytes = read_bytes(std::string(EXPECTED_DIR "/") + name);
        std::size_t line_feeds = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ++line_feeds;
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " at " << i;
            } else if (bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << name << " at " << i;
            }
        }
        EXPECT_GT(line_feeds, 30u) << name;
    }
}

struct line_case {
    std::string_view text;
    name_use use;
    std::string_view name;
    std::string_view expected;
};

const line_case LINE_CASES[] = {
    // Template mechanics: "%%" is one percent sign, a line feed is CR LF, the name is inserted.
    {"100%%;\n", name_use::none, "clip", "100%;\r\n"},
    {"%%SWFPATH%%/x\n\n", name_use::none, "", "%SWFPATH%/x\r\n\r\n"},
    {"<a b=\"%s.xml\"/> \n", name_use::markup, "clip", "<a b=\"clip.xml\"/> \r\n"},
    {"[%s]", name_use::markup, "", "[]"},
    // Percent signs and format directives in the name are written as they are.
    {"[%s]", name_use::markup, "100%s%n%%", "[100%s%n%%]"},
    {"[%s]", name_use::js_string, "%d%%", "[%d%%]"},
    // Markup: the four special characters become entities; apostrophes and UTF-8 stay.
    {"[%s]", name_use::markup, "Rock & Roll", "[Rock &amp; Roll]"},
    {"[%s]", name_use::markup, "<\"a\">'&", "[&lt;&quot;a&quot;&gt;'&amp;]"},
    {"[%s]", name_use::markup, "Caf\xC3\xA9", "[Caf\xC3\xA9]"},
    {"[%s]", name_use::markup, "a\nb", "[a\r\nb]"},
    // JavaScript string: backslash, quote, control characters, '<' and the line separators.
    {"[%s]", name_use::js_string, "Rock & Roll", "[Rock & Roll]"},
    {"[%s]", name_use::js_string, R"(a\b"c'd)", R"([a\\b\"c'd])"},
    {"[%s]", name_use::js_string, "</script><!--", R"([\u003C/script>\u003C!--])"},
    {"[%s]", name_use::js_string, "a\nb\tc\x01\x1F", R"([a\u000Ab\u0009c\u0001\u001F])"},
    {"[%s]", name_use::js_string, "x\xE2\x80\xA8y\xE2\x80\xA9z\xE2\x80\xA7",
     "[x\\u2028y\\u2029z\xE2\x80\xA7]"},
    {"[%s]", name_use::js_string, "\xE2\x80", "[\xE2\x80]"},
};

void PrintTo(const line_case& c, std::ostream* os) {
    *os << testing::PrintToString(c.text) << " with " << testing::PrintToString(c.name);
}

class TemplateLineTest : public testing::TestWithParam<line_case> {};

TEST_P(TemplateLineTest, WritesTheExpectedBytes) {
    const line_case& c = GetParam();
    EXPECT_EQ(render_line(c.text, c.use, c.name), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, TemplateLineTest, testing::ValuesIn(LINE_CASES));

TEST(Writers, WriteTheNameEscapedInEveryPlace) {
    const std::string script =
        render([](text_file& file) { write_video_script(file, "R&B <\"x\">"); });
    const std::string_view escaped = "R&amp;B &lt;&quot;x&quot;&gt;";
    EXPECT_NE(script.find("\t<xmlscript name=\"" + std::string(escaped) + ".xml\"/>\r\n"),
              std::string::npos);
    EXPECT_NE(script.find("\t<window title=\"3D Video Play: " + std::string(escaped) + ".mp4\"/>"),
              std::string::npos);
    EXPECT_NE(script.find("\t\t\tvideourl=\"" + std::string(escaped) + ".mp4\"\r\n"),
              std::string::npos);
    EXPECT_EQ(script.find("R&B"), std::string::npos);

    const std::string page = render([](text_file& file) { write_html_page(file, "R&B <\"x\">"); });
    EXPECT_NE(page.find("\t<title>Video Clip: " + std::string(escaped) + "</title>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("\t        xml: \"R&B \\u003C\\\"x\\\">.xml\",\r\n"), std::string::npos);
}

TEST(TextFile, CannotBeCreatedInAMissingDirectory) {
    text_file file;
    EXPECT_FALSE(create_text_file(file, "/nonexistent-zentavo-dir/clip.xml"));
}

// Bytes that stay in the buffer fail only when they are flushed at close.
TEST(TextFile, CloseReportsAFailedFlush) {
    text_file file;
    ASSERT_TRUE(create_text_file(file, "/dev/full"));
    write_video_script(file, "clip");
    EXPECT_FALSE(close_text_file(file));
}

}  // namespace
