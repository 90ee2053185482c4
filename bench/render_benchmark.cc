// Name derivation plus rendering both files into memory: the command's own work in a run, apart
// from process start-up and the file system.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "name_derivation.h"
#include "page_templates.h"

namespace {

char rendered[65536];

void render_into_memory(void (*write)(text_file&, std::string_view), std::string_view name) {
    text_file file;
    attach_text_file(file, fmemopen(rendered, sizeof rendered, "w"));
    write(file, name);
    close_text_file(file);
    benchmark::DoNotOptimize(rendered);
}

void derive_and_render(benchmark::State& state, std::string_view argument) {
    for (auto _ : state) {
        const project_names names = derive_project_names(argument);
        benchmark::DoNotOptimize(names);
        render_into_memory(write_video_script, names.project_name);
        render_into_memory(write_html_page, names.project_name);
    }
}

BENCHMARK_CAPTURE(derive_and_render, plain, std::string_view(R"(C:\Videos\Tour.MP4)"));
BENCHMARK_CAPTURE(derive_and_render, markup, std::string_view(R"(D:\Clips\R&B <"live">.mp4)"));
BENCHMARK_CAPTURE(
    derive_and_render, longest,
    std::string_view("<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<"
                     "<<<<<<<<<<<<<<<<<<"
                     "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<"
                     "<<<<<<<<<<<<<<<<<"
                     "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<.mp4"));

}  // namespace

BENCHMARK_MAIN();
