#include "store_fixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace q36::test {

namespace {

sqlite3* RawOpen(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << path;
    }
    return db;
}

}  // namespace

StoreCopy::StoreCopy() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/q36store-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    folder_ = pattern;
    path_ = folder_ + "/Q36DataBase.mdb";
    std::filesystem::copy_file(Q36_DELIVERED_DATABASE, path_);
}

StoreCopy::~StoreCopy() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

void StoreCopy::Sql(const std::string& sql) const {
    sqlite3* db = RawOpen(path_);
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << (message ? message : "?");
    }
    sqlite3_free(message);
    sqlite3_close(db);
}

std::string StoreCopy::Scalar(const std::string& sql) const {
    sqlite3* db = RawOpen(path_);
    sqlite3_stmt* stmt = nullptr;
    std::string value = "<no row>";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(stmt, 0);
        value = text ? reinterpret_cast<const char*>(text) : "<null>";
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

std::unique_ptr<Connection> OpenStore(const std::string& path) {
    auto connection = std::make_unique<Connection>();
    connection->SetBusyTimeout(100);
    const StoreResult opened = connection->Open(path);
    EXPECT_TRUE(opened.ok()) << opened.text;
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

bool RecordingStoreHost::SendData(const uint8_t* data, uint16_t length) {
    if (length == 0) return false;
    if (onSend) onSend(data, length);
    return true;
}

void RecordingStoreHost::ShowMessage(TransferEvent event, const std::string& text) {
    messages.push_back({event, text});
}

}  // namespace q36::test
