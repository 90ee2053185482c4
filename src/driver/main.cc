// zentavo: writes the krpano video script and the HTML page for a 360-degree MP4 video.
//
// The video itself is never opened; everything follows from the argument's text. Every message
// goes to standard output. The exit status is 0 when both files were written, 1 otherwise.

#include <cstdlib>
#include <string_view>

#include "console.h"
#include "console_messages.h"
#include "name_derivation.h"
#include "output_stages.h"

namespace {

int usage() {
    print_message(USAGE_MESSAGE);
    return EXIT_FAILURE;
}

void report_names(const project_names& names) {
    print_message(REPORT_PROJECT_NAME, names.project_name);
    print_message(REPORT_VIDEO_SOURCE, names.video_source);
    print_message(REPORT_XML_FILE, names.xml_file);
    print_message(REPORT_HTML_FILE, names.html_file);
}

}  // namespace

// The entry keeps the signature the language gives it.
// cppcheck-suppress constParameter
int main(int argc, char* argv[]) {
    // Only the first argument is read; further ones are ignored.
    if (argc < 2) {
        return usage();
    }
    const std::string_view argument = argv[1];

    print_message(BANNER);
    print_message(CREDIT_LINE);

    // Refuse what the name buffers cannot hold, before anything else looks at it.
    if (!argument_fits(argument)) {
        print_message(TOO_LONG_MESSAGE);
        return EXIT_FAILURE;
    }
    if (!names_mp4_file(argument)) {
        print_message(NOT_MP4_MESSAGE);
        return EXIT_FAILURE;
    }

    const project_names names = derive_project_names(argument);
    report_names(names);

    // The script is complete and closed before the page is created; a failed stage ends the run.
    if (!run_video_script_stage(names) || !run_html_page_stage(names)) {
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
