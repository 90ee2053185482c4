// The two output stages the driver runs, in this order. Each creates its file at its full name,
// writes it, closes it and prints its own outcome on standard output. Each returns true only when
// its file was created, written and closed without error; on false the run ends.
#ifndef ZENTAVO_OUTPUT_STAGES_H
#define ZENTAVO_OUTPUT_STAGES_H

#include "project_names.h"

bool run_video_script_stage(const project_names& names);
bool run_html_page_stage(const project_names& names);

#endif
