#include "name_derivation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct derivation_case {
    std::string argument;
    std::string base_path;
    std::string project_name;
};

// Every backslash below is one backslash character of the argument.
const derivation_case DERIVATION_CASES[] = {
    {"clip.mp4", "clip", "clip"},
    {R"(C:\Videos\Tour.MP4)", R"(C:\Videos\Tour)", "Tour"},
    {R"(D:\Clips.2017\clip.mp4)", R"(D:\Clips.2017\clip)", "clip"},
    {R"(.\clip.mp4)", R"(.\clip)", "clip"},
    {R"(..\x\clip.mp4)", R"(..\x\clip)", "clip"},
    {"holiday.2017.mp4", "holiday.2017", "holiday.2017"},
    {"my.mp4.bak", "my", "my"},
    {"clip.mp4.mp4", "clip.mp4", "clip.mp4"},
    {"videos/clip.mp4", "videos/clip", "clip"},
    {"./videos.mp4/clip.mp4", "./videos.mp4/clip", "clip"},
    {R"(dir\.mp4)", R"(dir\)", ""},
    {R"(dir\Clip.Mp4)", R"(dir\Clip)", "Clip"},
    {".mp4", "", ""},
    {"C:clip.mp4", "C:clip", "C:clip"},
    {"Rock & Roll.mp4", "Rock & Roll", "Rock & Roll"},
    {"100%s.mp4", "100%s", "100%s"},
    {"Caf\xC3\xA9 \xC3\xA0 Z\xC3\xBCrich.mp4", "Caf\xC3\xA9 \xC3\xA0 Z\xC3\xBCrich",
     "Caf\xC3\xA9 \xC3\xA0 Z\xC3\xBCrich"},
    // 255 bytes in all, the longest argument handled.
    {std::string(251, 'a') + ".mp4", std::string(251, 'a'), std::string(251, 'a')},
    {"d/" + std::string(249, 'b') + ".MP4", "d/" + std::string(249, 'b'), std::string(249, 'b')},
};

void PrintTo(const derivation_case& c, std::ostream* os) {
    *os << testing::PrintToString(c.argument);
}

class DerivationTest : public testing::TestWithParam<derivation_case> {};

TEST_P(DerivationTest, DerivesNamesBesideTheVideo) {
    const derivation_case& c = GetParam();
    ASSERT_TRUE(argument_fits(c.argument));
    ASSERT_TRUE(names_mp4_file(c.argument));
    const project_names names = derive_project_names(c.argument);
    EXPECT_EQ(names.base_path, c.base_path);
    EXPECT_EQ(names.project_name, c.project_name);
    EXPECT_EQ(names.video_source, c.base_path + ".mp4");
    EXPECT_EQ(names.xml_file, c.base_path + ".xml");
    EXPECT_EQ(names.html_file, c.base_path + ".htm");
}

INSTANTIATE_TEST_SUITE_P(Arguments, DerivationTest, testing::ValuesIn(DERIVATION_CASES));

TEST(ArgumentFits, UpTo255Bytes) {
    const struct {
        std::size_t length;
        bool fits;
    } cases[] = {{0, true}, {8, true}, {255, true}, {256, false}, {5000, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(argument_fits(std::string(c.length, 'a')), c.fits) << c.length;
    }
}

TEST(NamesMp4File, RefusesFileNamesWithoutMp4) {
    const char* const not_mp4[] = {
        "",          "tour.avi",     "clip.mp", "clipmp4", R"(x.mp4\clip.avi)", "x.mp4/clip.avi",
        "clip.mp4/", R"(clip.mp4\)", ".m.p.4",  "...",
    };
    for (const char* argument : not_mp4) {
        EXPECT_FALSE(names_mp4_file(argument)) << argument;
    }
}

TEST(NamesMp4File, IgnoresLetterCaseOfAsciiOnly) {
    for (const char* argument : {"a.mp4", "a.MP4", "a.Mp4", "a.mP4", "x.MP4.txt"}) {
        EXPECT_TRUE(names_mp4_file(argument)) << argument;
    }
}

}  // namespace
