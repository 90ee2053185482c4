// Runs a built zentavo, natively or under Wine, in a fresh temporary folder, and reads back what
// it printed and left on disk.
#ifndef ZENTAVO_TESTS_COMMAND_RUNNER_H
#define ZENTAVO_TESTS_COMMAND_RUNNER_H

#include <filesystem>
#include <string>
#include <vector>

struct command_target {
    std::string label;
    std::vector<std::string> launcher;  // programs placed before the executable, such as wine
    std::string executable;
    std::vector<std::string> environment;  // NAME=value settings for the run
    std::string line_end;                  // what the console's line ends look like
    std::string missing;                   // why the target cannot run here, or empty
};

struct command_result {
    std::string output;  // standard output, bytes as printed
    std::string errors;  // standard error
    int status;          // exit status, or -1 when the process did not exit normally
};

// Runs program with arguments in folder, standard input closed, environment added to its own.
command_result run_in(const std::filesystem::path& folder, const std::vector<std::string>& program,
                      const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment = {});

std::string read_file_bytes(const std::filesystem::path& path);
void write_file_bytes(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class temporary_folder {
public:
    temporary_folder();
    ~temporary_folder();
    temporary_folder(const temporary_folder&) = delete;
    temporary_folder& operator=(const temporary_folder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Whether a program can be found on PATH.
bool on_path(const std::string& program);

// True when the environment says this is a CI run, where a missing tool is a failure.
bool in_ci();

#endif
