// Builds the delivered database file from its schema: make_database SCHEMA.sql OUTPUT.
// The file is written under a temporary name and renamed into place, so an interrupted build
// never leaves a half-made database behind.

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCHEMA.sql OUTPUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    std::ostringstream schema;
    schema << in.rdbuf();

    const std::string output = argv[2];
    const std::string temporary = output + ".tmp";
    std::remove(temporary.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", temporary.c_str(),
                     db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return 1;
    }
    char* message = nullptr;
    const int rc = sqlite3_exec(db, schema.str().c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", argv[1], message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        sqlite3_close(db);
        std::remove(temporary.c_str());
        return 1;
    }
    if (sqlite3_close(db) != SQLITE_OK || std::rename(temporary.c_str(), output.c_str()) != 0) {
        std::fprintf(stderr, "%s: cannot be written\n", output.c_str());
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
