#include "support/run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "support/temp_dir.h"

extern char** environ;

namespace traverse {

ProgramRun RunTraverse(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment) {
    std::vector<std::string> command{TRAVERSE_CLI_PATH};
    const bool chosen = std::find(arguments.begin(), arguments.end(), "--lang") != arguments.end();
    if (!chosen) command.insert(command.end(), {"--lang", "en"});
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunCommand(command, environment);
}

ProgramRun RunCommand(const std::vector<std::string>& command,
                      const std::vector<std::string>& environment) {
    TempDir dir;
    const std::string outPath = dir.File("out");
    const std::string errPath = dir.File("err");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> argv(command);
    std::vector<char*> argvPointers;
    for (std::string& argument : argv) argvPointers.push_back(&argument[0]);
    argvPointers.push_back(nullptr);

    // The additions replace inherited entries of the same name.
    std::vector<std::string> env(environment);
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& addition : environment) {
            const std::string key = addition.substr(0, addition.find('=') + 1);
            if (entry.compare(0, key.size(), key) == 0) replaced = true;
        }
        if (!replaced) env.push_back(entry);
    }
    std::vector<char*> envPointers;
    for (std::string& entry : env) envPointers.push_back(&entry[0]);
    envPointers.push_back(nullptr);

    ProgramRun run;
    pid_t pid;
    if (posix_spawnp(&pid, argvPointers[0], &actions, nullptr, argvPointers.data(),
                    envPointers.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    return run;
}

}  // namespace traverse
