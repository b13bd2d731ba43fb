#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "store/connection.h"
#include "store/database_location.h"
#include "store_fixture.h"
#include "support/locking_process.h"

namespace q36::test {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Connection, OpensTheDeliveredStoreButNeverCreatesOne) {
    StoreCopy copy;
    Connection connection;
    const StoreResult opened = connection.Open(copy.Path());
    ASSERT_TRUE(opened.ok()) << opened.detail;
    EXPECT_EQ(connection.Path(), copy.Path());

    for (const std::string& missing :
         {copy.Folder() + "/absent/Q36DataBase.mdb", copy.Folder() + "/Other.mdb"}) {
        const StoreResult refused = connection.Open(missing);
        EXPECT_EQ(refused.code, StoreErrc::CannotOpen);
        EXPECT_EQ(refused.detail, "unable to open database file (" + missing + ")");
        EXPECT_FALSE(connection.IsOpen());
        EXPECT_FALSE(std::filesystem::exists(missing));
    }
}

TEST(DatabaseLocation, BuildFolderUsesItsOwnFileAndAnInstalledProgramKeepsAFreshUserCopy) {
    namespace fs = std::filesystem;
    StoreCopy root;  // root/Q36DataBase.mdb stands for a build folder's file
    EXPECT_EQ(LocateDatabase(root.Folder(), root.Folder() + "/data").path, root.Path());
    EXPECT_FALSE(fs::exists(root.Folder() + "/data"));

    const std::string share = root.Folder() + "/share/q36cps/Q36DataBase.mdb";
    fs::create_directories(root.Folder() + "/bin");
    fs::create_directories(root.Folder() + "/share/q36cps");
    fs::copy_file(root.Path(), share);
    const std::string bin = root.Folder() + "/bin/", data = root.Folder() + "/data";
    // Missing, then not older, then older than the delivered file.
    const DatabaseSource expected[] = {DatabaseSource::NewUserCopy, DatabaseSource::UserCopy,
                                       DatabaseSource::NewUserCopy};
    for (int i = 0; i < 3; ++i) {
        if (i == 2) {
            fs::last_write_time(data + "/Q36DataBase.mdb",
                                fs::last_write_time(share) - std::chrono::hours(1));
        }
        const DatabaseLocation found = LocateDatabase(bin, data);
        EXPECT_EQ(found.source, expected[i]) << i;
        EXPECT_EQ(found.path, data + "/Q36DataBase.mdb");
        EXPECT_EQ(found.delivered, share);
        EXPECT_EQ(found.error, "");
        EXPECT_EQ(fs::exists(data + "/Q36DataBase.mdb.old"), i == 2);
        Connection connection;
        EXPECT_TRUE(connection.Open(found.path).ok()) << i;
    }
    EXPECT_TRUE(Contains(DatabaseLocationText(LocateDatabase(bin, data), LANGUAGE_ENGLISH),
                         "(a copy of " + share + ")"));
}

struct Damage {
    const char* name;
    const char* sql;      // run on the copy; nullptr: the file is replaced by content
    const char* content;  // the replacing file's text
    StoreErrc code;
    const char* message;
};

TEST(Connection, RefusesADamagedStoreWithTheEnginesMessageAndLeavesItAlone) {
    const Damage cases[] = {
        {"text file", nullptr, "Name,Frequency\nCH01,400\n", StoreErrc::NotDatabase,
         "file is not a database"},
        {"empty file", nullptr, "", StoreErrc::MissingTable, "no such table: CHANNELTABLE"},
        {"missing table", "DROP TABLE SCANTABLE", "", StoreErrc::MissingTable,
         "no such table: SCANTABLE"},
        {"missing column", "ALTER TABLE CHANNELTABLE DROP COLUMN BW", "", StoreErrc::MissingColumn,
         "no such column: BW"},
        {"missing row",
         "DROP TRIGGER CHANNELTABLE_no_delete; DELETE FROM CHANNELTABLE WHERE CHANNELNO='07'", "",
         StoreErrc::MissingRows, "CHANNELTABLE does not hold the rows CHANNELNO 01 to 24"},
        {"no common row", "DROP TRIGGER PARAMETABLE_no_delete; DELETE FROM PARAMETABLE", "",
         StoreErrc::MissingRows, "PARAMETABLE does not hold exactly one row"},
    };
    for (const Damage& c : cases) {
        StoreCopy copy;
        if (c.sql == nullptr) {
            std::ofstream(copy.Path(), std::ios::trunc) << c.content;
        } else {
            copy.Sql(c.sql);
        }
        const auto size = std::filesystem::file_size(copy.Path());
        Connection connection;
        const StoreResult opened = connection.Open(copy.Path());
        EXPECT_EQ(opened.code, c.code) << c.name << ": " << opened.detail;
        EXPECT_TRUE(Contains(opened.detail, c.message)) << c.name << ": " << opened.detail;
        EXPECT_TRUE(Contains(opened.detail, copy.Path())) << c.name << ": " << opened.detail;
        EXPECT_FALSE(connection.IsOpen()) << c.name;
        EXPECT_EQ(std::filesystem::file_size(copy.Path()), size) << c.name;
    }
}

TEST(Connection, RefusesAReadOnlyFile) {
    StoreCopy copy;
    ASSERT_EQ(chmod(copy.Folder().c_str(), 0755), 0);
    ASSERT_EQ(chmod(copy.Path().c_str(), 0444), 0);
    const std::string result = RunUnprivileged([&] {
        Connection connection;
        const StoreResult opened = connection.Open(copy.Path());
        return std::to_string(int(opened.code)) + " " + opened.detail;
    });
    EXPECT_EQ(result, std::to_string(int(StoreErrc::ReadOnly)) +
                          " attempt to write a readonly database (" + copy.Path() + ")");
}

TEST(Connection, FileLockedByAnotherProcessIsReportedAfterTheBusyTimeout) {
    StoreCopy copy;
    LockingProcess lock(copy.Path());
    ASSERT_TRUE(lock.Held());
    Connection connection;
    connection.SetBusyTimeout(150);
    const auto start = std::chrono::steady_clock::now();
    const StoreResult opened = connection.Open(copy.Path());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(opened.code, StoreErrc::Busy);
    EXPECT_EQ(opened.detail, "database is locked (" + copy.Path() + ")");
    EXPECT_GE(waited, std::chrono::milliseconds(100));
    EXPECT_FALSE(connection.IsOpen());
}

TEST(Connection, WritesToAFileRemovedWhileOpenAreRefusedAndSaySo) {
    StoreCopy copy;
    Connection connection;
    ASSERT_TRUE(connection.Open(copy.Path()).ok());
    ASSERT_EQ(unlink(copy.Path().c_str()), 0);
    const StoreResult written =
        connection.Execute("UPDATE CHANNELTABLE SET FTX = 401 WHERE CHANNELNO = '01'");
    EXPECT_EQ(written.code, StoreErrc::ReadOnly);
    EXPECT_EQ(written.detail,
              "attempt to write a readonly database: the file was removed or "
              "replaced while the program had it open (" +
                  copy.Path() + ")");
}

}  // namespace
}  // namespace q36::test
