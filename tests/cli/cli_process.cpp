#include "cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace q36::test {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Waits for pid until deadline; kills it when the deadline passes.
int WaitFor(pid_t pid, std::chrono::milliseconds timeout, rusage* usage) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    rusage local{};
    for (;;) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, usage ? usage : &local);
        if (done == pid) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, usage ? usage : &local);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string ExecutableFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::string Q36cliPath() {
    return ExecutableFolder() + "/q36cli";
}

ProcessResult RunQ36cli(const std::vector<std::string>& args, std::chrono::milliseconds timeout,
                        const std::vector<std::string>& extraEnv,
                        std::optional<Interruption> interruption) {
    ScratchFolder folder;
    const std::string outPath = folder.File("out"), errPath = folder.File("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> argv{Q36cliPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    // The extra variables replace those of the same name.
    std::vector<std::string> env = extraEnv;
    for (char** e = environ; *e; ++e) {
        const std::string_view entry(*e);
        const auto named = [&](const std::string& extra) {
            return entry.substr(0, entry.find('=') + 1) == extra.substr(0, extra.find('=') + 1);
        };
        if (std::none_of(extraEnv.begin(), extraEnv.end(), named)) env.emplace_back(*e);
    }
    auto argp = Pointers(argv);
    auto envp = Pointers(env);
    ProcessResult result;
    pid_t pid;
    if (::posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, argp.data(), envp.data()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        result.err = "cannot start " + argv[0];
        return result;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (interruption) {
        std::this_thread::sleep_for(interruption->after);
        ::kill(pid, interruption->signal);
    }
    result.exitCode = WaitFor(pid, timeout, &result.usage);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

RadioProcess::~RadioProcess() {
    Stop();
}

bool RadioProcess::Start(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    std::vector<std::string> argv{Q36cliPath(), "radio"};
    argv.insert(argv.end(), args.begin(), args.end());
    auto argp = Pointers(argv);
    const int spawned =
        ::posix_spawn(&pid_, argv[0].c_str(), &actions, nullptr, argp.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    stdoutFd_ = pipeFds[0];
    if (spawned != 0) {
        pid_ = -1;
        return false;
    }
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{stdoutFd_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buffer[256];
        const ssize_t n = ::read(stdoutFd_, buffer, sizeof buffer);
        if (n <= 0) break;
        line.append(buffer, std::size_t(n));
    }
    if (line.find('\n') == std::string::npos) return false;
    port_ = line.substr(0, line.find('\n'));
    return true;
}

int RadioProcess::Stop() {
    int code = -1;
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        code = WaitFor(pid_, std::chrono::seconds(5), nullptr);
        pid_ = -1;
    }
    if (stdoutFd_ >= 0) {
        ::close(stdoutFd_);
        stdoutFd_ = -1;
    }
    return code;
}

std::string PrintedText(const TextPair& pair, int language) {
    std::string text = Tr(pair, language);
    std::erase(text, '\r');
    return text;
}

std::optional<std::string> RunPython(const std::string& script, std::string* error) {
    ScratchFolder folder;
    const std::string scriptPath = folder.File("script.py");
    std::ofstream(scriptPath) << script;
    const std::string command =
        "/usr/bin/python3 " + scriptPath + " > " + folder.File("out") + " 2> " + folder.File("err");
    const int status = std::system(command.c_str());
    if (status != 0) {
        if (error) *error += ReadFile(folder.File("err"));
        return std::nullopt;
    }
    return ReadFile(folder.File("out"));
}

}  // namespace q36::test
