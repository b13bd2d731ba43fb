#include <gtest/gtest.h>
#include <sqlite3.h>

#include <thread>

#include "store/query.h"
#include "store/schema.h"
#include "store_fixture.h"
#include "support/locking_process.h"

namespace q36::test {
namespace {

struct QueryTest : ::testing::Test {
    StoreCopy copy;
    std::unique_ptr<Connection> connection = OpenStore(copy.Path());
    Query channels{*connection};

    void SetUp() override { ASSERT_TRUE(channels.Open("select * from CHANNELTABLE").ok()); }

    // Puts channel key into edit state with FTX changed to text.
    void EditFtx(const std::string& key, const std::string& text) {
        ASSERT_TRUE(channels.Locate("CHANNELNO", key).ok());
        ASSERT_TRUE(channels.Edit().ok());
        ASSERT_TRUE(channels.WriteText("FTX", text).ok());
    }
};

TEST_F(QueryTest, ColumnsComeInTheDocumentedOrder) {
    for (const TableDef* table : StoreTables()) {
        Query query(*connection);
        ASSERT_TRUE(query.Open("select * from " + std::string(table->name)).ok());
        std::vector<std::string> expected;
        for (const ColumnDef& column : table->columns) expected.emplace_back(column.name);
        EXPECT_EQ(query.FieldNames(), expected);
        EXPECT_EQ(query.RecordCount(), FixedRowCount(*table));
    }
}

TEST_F(QueryTest, WalksTheRowsInKeyOrderAndReadsTheirValueForms) {
    std::vector<std::string> keys;
    ASSERT_TRUE(channels.First().ok());
    while (!channels.Eof()) {
        keys.push_back(channels.FieldText("CHANNELNO"));
        ASSERT_TRUE(channels.Next().ok());
    }
    EXPECT_EQ(keys, FixedKeys(ChannelTableDef()));
    EXPECT_EQ(channels.RowIndex(), 23);  // Next past the end stays on the last row

    EXPECT_EQ(channels.FieldText("FTX"), "400");
    EXPECT_EQ(channels.FieldText("ENABLED"), "True");
    int level = -1;
    ASSERT_TRUE(channels.ReadInteger("level", level).ok());  // names ignore case
    EXPECT_EQ(level, 4);
    EXPECT_EQ(channels.ReadInteger("NOSUCH", level).code, StoreErrc::NoSuchField);
}
TEST_F(QueryTest, LocateMatchesWholeValuesExactly) {
    ASSERT_TRUE(channels.Locate("CHANNELNO", "05").ok());
    EXPECT_EQ(channels.RowIndex(), 4);
    for (const char* missing : {"25", "5", "005", ""}) {
        EXPECT_EQ(channels.Locate("CHANNELNO", missing).code, StoreErrc::NotFound) << missing;
        EXPECT_EQ(channels.RowIndex(), 4);
    }
    Query scans(*connection);
    ASSERT_TRUE(scans.Open("SELECT * FROM SCANTABLE").ok());
    EXPECT_EQ(scans.Locate("LIST", "6").code, StoreErrc::NotFound);
    EXPECT_EQ(scans.Locate("01", "null").code, StoreErrc::NotFound);
    EXPECT_TRUE(scans.Locate("01", "NULL").ok());
    EXPECT_TRUE(channels.Locate("FTX", "400").ok());  // a number matches its text form
}

TEST_F(QueryTest, BookmarkReturnsToItsRowUntilTheQueryIsReopened) {
    ASSERT_TRUE(channels.MoveTo(6).ok());
    const Bookmark mark = channels.GetBookmark();
    ASSERT_TRUE(channels.First().ok());
    ASSERT_TRUE(channels.GotoBookmark(mark).ok());
    EXPECT_EQ(channels.FieldText("CHANNELNO"), "07");
    ASSERT_TRUE(channels.Reopen().ok());
    EXPECT_EQ(channels.GotoBookmark(mark).code, StoreErrc::NotFound);
}

TEST_F(QueryTest, PostWritesTheRowAndAnotherConnectionSeesItAfterReopening) {
    auto other = OpenStore(copy.Path());
    Query otherChannels(*other);
    ASSERT_TRUE(otherChannels.Open("select * from CHANNELTABLE").ok());

    EditFtx("07", "435.0125");
    ASSERT_TRUE(channels.WriteText("ENABLED", "0").ok());
    ASSERT_TRUE(channels.WriteInteger("LEVEL", 8).ok());
    ASSERT_TRUE(channels.WriteText("REFREQUENCY", "").ok());  // stored as no value
    EXPECT_EQ(channels.State(), QueryState::Edit);
    ASSERT_TRUE(channels.Post().ok());
    EXPECT_EQ(channels.State(), QueryState::Browse);

    ASSERT_TRUE(otherChannels.Locate("CHANNELNO", "07").ok());
    EXPECT_EQ(otherChannels.FieldText("FTX"), "400");  // rows are held until reopened
    ASSERT_TRUE(otherChannels.Reopen().ok());
    ASSERT_TRUE(otherChannels.Locate("CHANNELNO", "07").ok());
    EXPECT_EQ(otherChannels.FieldText("FTX"), "435.0125");
    EXPECT_EQ(otherChannels.FieldText("ENABLED"), "False");
    EXPECT_EQ(otherChannels.FieldText("LEVEL"), "8");
    EXPECT_EQ(otherChannels.FieldText("REFREQUENCY"), "");
    EXPECT_EQ(
        copy.Scalar("select count(*) from CHANNELTABLE where FTX <> 400 and REFREQUENCY is null"),
        "1");
}

TEST_F(QueryTest, RefusedValueLeavesTheRowAsItWas) {
    EditFtx("03", "145.5");
    for (const char* bad : {"abc", "1,5", "145.5MHz"}) {
        const StoreResult written = channels.WriteText("FTX", bad);
        EXPECT_EQ(written.code, StoreErrc::Conversion) << bad;
        EXPECT_NE(written.detail.find(bad), std::string::npos) << written.detail;
        EXPECT_EQ(channels.FieldText("FTX"), "145.5");
    }
    EXPECT_EQ(channels.WriteText("ENABLED", "yes").code, StoreErrc::Conversion);
    EXPECT_EQ(channels.FieldText("ENABLED"), "True");
    channels.Cancel();
    EXPECT_EQ(channels.FieldText("FTX"), "400");
    EXPECT_EQ(copy.Scalar("select FTX from CHANNELTABLE where CHANNELNO = '03'"), "400.0");
}

TEST_F(QueryTest, WritesNeedEditStateAndAWritableColumn) {
    EXPECT_EQ(channels.WriteText("FTX", "410").code, StoreErrc::NotEditing);
    channels.SetReadOnly("VOX", true);
    ASSERT_TRUE(channels.Edit().ok());
    EXPECT_EQ(channels.WriteText("VOX", "False").code, StoreErrc::FieldReadOnly);
    // The key never changes, whatever the flags say.
    channels.SetReadOnly("CHANNELNO", false);
    EXPECT_EQ(channels.WriteText("CHANNELNO", "99").code, StoreErrc::FieldReadOnly);
    channels.Cancel();
    // Flags belong to the column name and survive a reopen.
    ASSERT_TRUE(channels.Reopen().ok());
    EXPECT_TRUE(channels.IsReadOnly("VOX"));
    channels.SetReadOnly("VOX", false);
    ASSERT_TRUE(channels.Edit().ok());
    EXPECT_TRUE(channels.WriteText("VOX", "False").ok());
}

TEST_F(QueryTest, TheOneRowTableIsPostedByItsRowid) {
    Query params(*connection);
    ASSERT_TRUE(params.Open("select * from PARAMETABLE").ok());
    ASSERT_TRUE(params.Edit().ok());
    ASSERT_TRUE(params.WriteText("AVISET", "12345").ok());
    ASSERT_TRUE(params.WriteText("TEMCONTROL", "True").ok());
    ASSERT_TRUE(params.Post().ok());
    EXPECT_EQ(copy.Scalar("select AVISET || '/' || TEMCONTROL from PARAMETABLE"), "12345/1");
}

TEST_F(QueryTest, OnlyRowsTracedToOneTableRowCanBeEdited) {
    Query partial(*connection);
    ASSERT_TRUE(partial.Open("select CHANNELNO,ADDSCAN,ENABLED from CHANNELTABLE").ok());
    EXPECT_TRUE(partial.Edit().ok());
    Query joined(*connection);
    ASSERT_TRUE(joined.Open("select c.CHANNELNO, s.LIST from CHANNELTABLE c, SCANTABLE s").ok());
    EXPECT_EQ(joined.Edit().code, StoreErrc::NotUpdatable);
    EXPECT_FALSE(Query(*connection).Open("UPDATE CHANNELTABLE SET FTX = 1").ok());
    EXPECT_EQ(copy.Scalar("select count(*) from CHANNELTABLE where FTX = 1"), "0");
}
TEST_F(QueryTest, ChangeNoticesFollowRowsFieldsAndState) {
    std::vector<std::string> seen;
    const int id = channels.AddChangeListener([&](const QueryChange& change) {
        const char* kinds[] = {"row", "field", "state"};
        seen.push_back(std::string(kinds[int(change.kind)]) + change.column);
    });
    EditFtx("02", "402");
    ASSERT_TRUE(channels.Post().ok());
    EXPECT_EQ(seen, (std::vector<std::string>{"row", "state", "fieldFTX", "state"}));

    seen.clear();
    channels.DisableControls();
    ASSERT_TRUE(channels.First().ok());
    while (!channels.Eof()) ASSERT_TRUE(channels.Next().ok());
    EXPECT_TRUE(seen.empty());
    channels.EnableControls();
    EXPECT_EQ(seen, std::vector<std::string>{"row"});

    channels.RemoveChangeListener(id);
    ASSERT_TRUE(channels.First().ok());
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(QueryTest, OpenQueriesOnOtherConnectionsNeverBlockAPost) {
    auto second = OpenStore(copy.Path());
    auto third = OpenStore(copy.Path());
    Query secondChannels(*second);
    Query thirdScans(*third);
    ASSERT_TRUE(secondChannels.Open("select * from CHANNELTABLE").ok());
    ASSERT_TRUE(thirdScans.Open("SELECT * FROM SCANTABLE").ok());
    ASSERT_TRUE(secondChannels.MoveTo(10).ok());  // mid-walk

    EditFtx("04", "404");
    ASSERT_TRUE(channels.Post().ok());
    ASSERT_TRUE(secondChannels.Edit().ok());
    ASSERT_TRUE(secondChannels.WriteText("FTX", "411").ok());
    ASSERT_TRUE(secondChannels.Post().ok());
    ASSERT_TRUE(thirdScans.Edit().ok());
    ASSERT_TRUE(thirdScans.WriteText("16", "CH04").ok());
    ASSERT_TRUE(thirdScans.Post().ok());
    EXPECT_EQ(copy.Scalar("select group_concat(FTX) from CHANNELTABLE where FTX <> 400"),
              "404.0,411.0");
}

TEST_F(QueryTest, FailedPostKeepsTheEditAndWritesNothing) {
    EditFtx("05", "405");
    ASSERT_TRUE(channels.WriteText("VOX", "False").ok());
    {
        LockingProcess lock(copy.Path());
        ASSERT_TRUE(lock.Held());
        const StoreResult posted = channels.Post();
        EXPECT_EQ(posted.code, StoreErrc::Busy);
        EXPECT_EQ(posted.detail, "database is locked (" + copy.Path() + ")");
        EXPECT_EQ(channels.State(), QueryState::Edit);
        EXPECT_EQ(channels.FieldText("FTX"), "405");
        EXPECT_EQ(channels.Next().code, StoreErrc::Busy);  // cannot leave the row unposted
        EXPECT_EQ(channels.FieldText("CHANNELNO"), "05");
    }
    ASSERT_TRUE(connection->Execute("PRAGMA query_only = 1").ok());
    const StoreResult posted = channels.Post();
    EXPECT_EQ(posted.code, StoreErrc::ReadOnly);
    EXPECT_EQ(posted.detail, "attempt to write a readonly database (" + copy.Path() + ")");
    EXPECT_EQ(channels.State(), QueryState::Edit);
    EXPECT_EQ(copy.Scalar("select FTX || '/' || VOX from CHANNELTABLE where CHANNELNO = '05'"),
              "400.0/1");

    ASSERT_TRUE(connection->Execute("PRAGMA query_only = 0").ok());
    ASSERT_TRUE(channels.Post().ok());
    EXPECT_EQ(copy.Scalar("select FTX || '/' || VOX from CHANNELTABLE where CHANNELNO = '05'"),
              "405.0/0");
}

TEST_F(QueryTest, ShortLockByAnotherConnectionIsWaitedOut) {
    connection->SetBusyTimeout(2000);
    EditFtx("06", "406");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(copy.Path().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread holder([db] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    const StoreResult posted = channels.Post();
    holder.join();
    sqlite3_close(db);
    EXPECT_TRUE(posted.ok()) << posted.detail;
}

TEST_F(QueryTest, ExecSqlNeedsAValueForEveryParameterAndNoOther) {
    Query update(*connection);
    update.SetSql("UPDATE CHANNELTABLE set [FTX]=:FTX, [LEVEL]=:LEVEL");
    update.SetParam("FTX", 420.0);
    EXPECT_NE(update.ExecSQL().detail.find("LEVEL"), std::string::npos);
    update.SetParam("LEVEL", std::string("2"));
    update.SetParam("BW", std::string("窄"));
    EXPECT_NE(update.ExecSQL().detail.find("BW"), std::string::npos);
    EXPECT_EQ(copy.Scalar("select count(*) from CHANNELTABLE where FTX = 420"), "0");
    update.SetSql("UPDATE CHANNELTABLE set [FTX]=:FTX, [LEVEL]=:LEVEL");  // same text keeps values
    update.ClearParams();
    update.SetParam("ftx", 420.0);
    update.SetParam("LEVEL", std::string("2"));
    ASSERT_TRUE(update.ExecSQL().ok());
    EXPECT_EQ(copy.Scalar("select count(*) from CHANNELTABLE where FTX = 420 and LEVEL = '2'"),
              "24");
}

}  // namespace
}  // namespace q36::test
