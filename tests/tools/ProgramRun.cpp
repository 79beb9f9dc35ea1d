#include "tests/tools/ProgramRun.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string_view>

namespace tooltest {

namespace {

using File = std::unique_ptr<std::FILE, decltype(&std::fclose)>;

std::string ReadAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, count);
    }
    return text;
}

bool IsLanguageSetting(std::string_view entry) {
    for (const std::string_view name : {"LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG="}) {
        if (entry.starts_with(name)) {
            return true;
        }
    }
    return false;
}

// This process's environment without its language settings, then `added`.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& added) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!IsLanguageSetting(*entry)) {
            entries.emplace_back(*entry);
        }
    }
    entries.insert(entries.end(), added.begin(), added.end());
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the program with its standard output and error going to these files; its pid, or -1.
pid_t Spawn(std::vector<std::string> words, std::vector<std::string> environment, std::FILE* out,
            std::FILE* err) {
    const std::vector<char*> argv = Pointers(words);
    const std::vector<char*> envp = Pointers(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fileno(out), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fileno(err), STDERR_FILENO);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment) {
    const File out(std::tmpfile(), &std::fclose);
    const File err(std::tmpfile(), &std::fclose);
    if (!out || !err) {
        return {};
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const pid_t pid = Spawn(words, ChildEnvironment(environment), out.get(), err.get());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
        return {};
    }
    if (WIFSIGNALED(status)) {
        return {-1, WTERMSIG(status), ReadAll(out.get()), ReadAll(err.get())};
    }
    if (!WIFEXITED(status)) {
        return {};
    }
    return {WEXITSTATUS(status), 0, ReadAll(out.get()), ReadAll(err.get())};
}

}  // namespace tooltest
