#include "command_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

command_result run_in(const fs::path& folder, const std::vector<std::string>& program,
                      const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment) {
    std::vector<std::string> words = program;
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> settings = environment;

    // Standard error goes to a file, so neither pipe can fill up while the other is read.
    const fs::path errors_path =
        fs::temp_directory_path() / ("zentavo-stderr-" + std::to_string(getpid()));
    int out[2];
    if (pipe(out) != 0) {
        return {"", "pipe failed", -1};
    }
    const pid_t child = fork();
    if (child == 0) {
        const int errors = open(errors_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int nothing = open("/dev/null", O_RDONLY);
        dup2(nothing, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(errors, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        for (std::string& setting : settings) {
            putenv(setting.data());
        }
        if (chdir(folder.c_str()) == 0) {
            execvp(argv[0], argv.data());
        }
        _exit(127);
    }
    close(out[1]);
    command_result result{"", "", -1};
    char buffer[4096];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            break;
        }
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    result.errors = read_file_bytes(errors_path);
    fs::remove(errors_path);
    return result;
}

std::string read_file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file_bytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

temporary_folder::temporary_folder() {
    std::string pattern = (fs::temp_directory_path() / "zentavo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
    }
}

temporary_folder::~temporary_folder() {
    std::error_code ignored;
    if (!path_.empty()) {
        fs::remove_all(path_, ignored);
    }
}

bool on_path(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string rest = path ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string folder = rest.substr(0, colon);
        if (!folder.empty() && access((fs::path(folder) / program).c_str(), X_OK) == 0) {
            return true;
        }
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
    }
    return false;
}

bool in_ci() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}
