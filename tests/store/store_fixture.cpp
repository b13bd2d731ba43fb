#include "store_fixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace q36::test {

std::unique_ptr<Connection> OpenStore(const std::string& path) {
    auto connection = std::make_unique<Connection>();
    connection->SetBusyTimeout(100);
    const StoreResult opened = connection->Open(path);
    EXPECT_TRUE(opened.ok()) << opened.detail;
    return connection;
}

std::string RunUnprivileged(const std::function<std::string()>& fn) {
    int fds[2];
    if (pipe(fds) != 0) return "<pipe failed>";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::string text;
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            text = "<setuid failed>";
        } else {
            text = fn();
        }
        const ssize_t written = write(fds[1], text.data(), text.size());
        _exit(written == ssize_t(text.size()) ? 0 : 1);
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0) text.append(buffer, std::size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return text;
}

}  // namespace q36::test
