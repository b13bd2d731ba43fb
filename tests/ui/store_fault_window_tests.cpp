// The desktop program when its database file fails: damaged or busy at start-up, and removed,
// overwritten, refusing writes or locked by another process while the window works on it. Each
// ends in a message with the engine's text; nothing crashes, nothing is stored half, and an edit
// the store refused stays where the user can still see it.

#include <fcntl.h>
#include <unistd.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <fstream>
#include <memory>

#include "codec/channel_block.h"
#include "modal_answerer.h"
#include "protocol/run_settings.h"
#include "pty_pair.h"
#include "store/query.h"
#include "store/store_transfer_data.h"
#include "support/locking_process.h"
#include "support/radio_bench.h"
#include "support/radio_on_pty.h"
#include "support/store_copy.h"
#include "text/text_pairs.h"
#include "ui/main_form.h"
#include "ui/start_up.h"
#include "ui_test_registry.h"

namespace q36::test {

namespace {

QString Text(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

enum class Fault { Removed, Garbage, QueryOnly, Locked };

// Overwrites the file in place, as a program writing over it would: the open connection reads
// the new bytes.
bool OverwriteWithGarbage(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0) return false;
    const char junk[] = "no database at all\n";
    const bool written = ::write(fd, junk, sizeof junk - 1) == ssize_t(sizeof junk - 1);
    ::close(fd);
    return written;
}

// Does a fault to the window's store file, and keeps what is needed to look at it afterwards.
class StoreFault {
  public:
    StoreFault(Fault fault, std::string path, Connection& connection)
        : fault_(fault), path_(std::move(path)), connection_(connection) {}

    bool Do() {
        switch (fault_) {
            case Fault::Removed:
                // A second name keeps the content for the check afterwards.
                kept_ = path_ + ".kept";
                return ::link(path_.c_str(), kept_.c_str()) == 0 && ::unlink(path_.c_str()) == 0;
            case Fault::Garbage:
                return OverwriteWithGarbage(path_);
            case Fault::QueryOnly:
                // The engine refusing every write, as for a write-protected file; file modes do
                // not bind the superuser the tests may run as.
                return connection_.Execute("PRAGMA query_only=1").ok();
            case Fault::Locked:
                lock_ = std::make_unique<LockingProcess>(path_);
                return lock_->Held();
        }
        return false;
    }
    // Lets go of the lock (the other program finished).
    void Release() { lock_.reset(); }
    // Where the content can be read afterwards; empty when it is gone.
    std::string ReadablePath() const {
        if (fault_ == Fault::Garbage) return {};
        return kept_.empty() ? path_ : kept_;
    }

  private:
    Fault fault_;
    std::string path_;
    Connection& connection_;
    std::string kept_;
    std::unique_ptr<LockingProcess> lock_;
};

// The window's own data side, with a fault done just before channel 6 is stored.
class FaultBeforeChannel6 : public TransferData {
  public:
    FaultBeforeChannel6(TransferData& store, StoreFault& fault) : store_(store), fault_(fault) {}
    bool done = false;

    StoreResult CommitPendingEdits() override { return store_.CommitPendingEdits(); }
    StoreResult LoadChannelRows(ChannelArr& rows) override { return store_.LoadChannelRows(rows); }
    StoreResult StoreChannel(const ChannelUpdate& update) override {
        if (update.channelNo == 6 && !done) done = fault_.Do();
        return store_.StoreChannel(update);
    }
    StoreResult ReadCommonPage(CommonPage& page) override { return store_.ReadCommonPage(page); }
    StoreResult ShowCommonPage(const CommonPage& page) override {
        return store_.ShowCommonPage(page);
    }
    StoreResult FillScanArr(ScanArr& scans) override { return store_.FillScanArr(scans); }
    StoreResult StoreScanList(int listNo,
                              const std::array<std::string, SCAN_SLOT_COUNT>& slots) override {
        return store_.StoreScanList(listNo, slots);
    }

  private:
    TransferData& store_;
    StoreFault& fault_;
};

// The transmit frequencies of the 24 channel rows in a store file.
QStringList StoredFrequencies(const std::string& path) {
    Connection connection;
    if (!connection.Open(path).ok()) return {};
    Query rows(connection);
    if (!rows.Open("select FTX from CHANNELTABLE order by CHANNELNO").ok()) return {};
    QStringList frequencies;
    for (int k = 0; k < rows.RecordCount(); ++k)
        frequencies << QString::fromStdString(rows.TextAt(k, "FTX"));
    return frequencies;
}

// A radio whose every channel has a transmit frequency a fresh store does not hold.
RadioImage ShiftedImage() {
    RadioBench writer;
    for (std::size_t i = 0; i < writer.host.channels.size(); ++i)
        writer.host.channels[i].FTX = std::to_string(415 + int(i)) + ".5";
    writer.Write();
    return writer.radio.Image();
}

}  // namespace

class StoreFaultWindowTests : public QObject {
    Q_OBJECT
  private Q_SLOTS:

    void StartUpReportsADamagedOrBusyStoreAndEnds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("engineText");
        QTest::newRow("garbage") << 0 << QStringLiteral("file is not a database");
        QTest::newRow("empty") << 1 << QStringLiteral("CHANNELTABLE");
        QTest::newRow("locked") << 2 << QStringLiteral("database is locked");
    }
    void StartUpReportsADamagedOrBusyStoreAndEnds() {
        QFETCH(int, kind);
        QFETCH(QString, engineText);
        StoreCopy store;
        QVERIFY(store.Ok());
        std::unique_ptr<LockingProcess> lock;
        if (kind == 0) QVERIFY(OverwriteWithGarbage(store.Path()));
        if (kind == 1) std::ofstream(store.Path(), std::ios::trunc).flush();
        if (kind == 2) {
            lock = std::make_unique<LockingProcess>(store.Path());
            QVERIFY(lock->Held());
        }
        ModalAnswerer answerer;
        ui::StartUp startUp(store.Path(), [] { return false; });
        QElapsedTimer took;
        took.start();
        QCOMPARE(startUp.Run(), 1);
        // A lock is waited out for the busy timeout, not for the other program's 10 s.
        QVERIFY(took.elapsed() < 8000);
        QCOMPARE(answerer.Names(), QStringList{QStringLiteral("StoreMessage")});
        QVERIFY2(answerer.Texts()[0].contains(engineText), qPrintable(answerer.Texts()[0]));
        QVERIFY(answerer.Texts()[0].contains(QString::fromStdString(store.Path())));
        QCOMPARE(startUp.MainForm(), nullptr);
    }

    void ReadStopsWhereTheStoreFailsAndKeepsTheChannelsBefore_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("engineText");
        QTest::newRow("removed") << int(Fault::Removed) << QStringLiteral("removed or replaced");
        QTest::newRow("garbage") << int(Fault::Garbage) << QStringLiteral("not a database");
        QTest::newRow("refusing writes") << int(Fault::QueryOnly) << QStringLiteral("readonly");
        QTest::newRow("locked") << int(Fault::Locked) << QStringLiteral("database is locked");
    }
    void ReadStopsWhereTheStoreFailsAndKeepsTheChannelsBefore() {
        QFETCH(int, fault);
        QFETCH(QString, engineText);
        StoreCopy store;
        QVERIFY(store.Ok());
        const QStringList before = StoredFrequencies(store.Path());
        QCOMPARE(before.size(), 24);
        RadioOnPty radio(ShiftedImage());
        QVERIFY(radio.Start());
        PortsSetting ports(radio.Path());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        std::string error;
        QVERIFY2(form.ConnectDatabase(store.Path(), error), error.c_str());
        ModalAnswerer answerer;
        form.OpenFirstPort();
        form.show();
        StoreTransferData& side = *form.StoreSide();
        StoreFault storeFault(Fault(fault), store.Path(), side.ChannelQuery().GetConnection());
        FaultBeforeChannel6 injector(side, storeFault);
        form.SetDataSide(&injector);

        form.ReadTButClick();
        QVERIFY2(WaitFor([&] { return answerer.Texts().size() >= 2; }, 15000),
                 qPrintable(answerer.Texts().join(QStringLiteral(" | "))));
        QTest::qWait(300);  // nothing more may follow
        QVERIFY(injector.done);
        QCOMPARE(answerer.Texts().size(), 2);
        const QString shown = answerer.Texts()[1];
        QVERIFY2(shown.startsWith(Text(txt::MsgReadFailed) + QLatin1Char('\n')), qPrintable(shown));
        QVERIFY2(shown.contains(engineText), qPrintable(shown));
        QVERIFY(form.PortOpen());

        storeFault.Release();
        if (const std::string readable = storeFault.ReadablePath(); !readable.empty()) {
            // Channels 1-5 as the radio holds them, 6-24 as they were: nothing half stored.
            QStringList expected = before;
            for (int k = 0; k < 5; ++k) expected[k] = QStringLiteral("%1.5").arg(415 + k);
            QCOMPARE(StoredFrequencies(readable), expected);
        }
        form.SetDataSide(&side);
    }

    void EditRefusedByABusyStoreStaysAndIsSavedOnceTheStoreIsFree() {
        StoreCopy store;
        QVERIFY(store.Ok());
        const RunSettings settings;
        ui::TMainForm form(settings, [] { return false; });
        std::string error;
        QVERIFY2(form.ConnectDatabase(store.Path(), error), error.c_str());
        QDialog printDialog;
        printDialog.setObjectName(QStringLiteral("PrintDialog"));
        form.SetPrintForm(&printDialog);
        ModalAnswerer answerer;
        form.show();
        const QString storedBefore = StoredFrequencies(store.Path()).value(4);
        QVERIFY(!storedBefore.isEmpty());
        Query& grid = form.StoreSide()->ChannelQuery();
        QVERIFY(grid.Locate("CHANNELNO", "05").ok());
        QVERIFY(grid.Edit().ok());
        QVERIFY(grid.WriteText("FTX", "433.0125").ok());

        auto lock = std::make_unique<LockingProcess>(store.Path());
        QVERIFY(lock->Held());
        QVERIFY(!form.SavePendingEdits());
        // Printing would show reports without the edit: it stops at the message.
        form.PrintTButClick();
        QCOMPARE(answerer.Names(),
                 QStringList({QStringLiteral("StoreMessage"), QStringLiteral("StoreMessage")}));
        QVERIFY(answerer.Texts()[0].contains(QStringLiteral("database is locked")));
        QVERIFY(grid.InEditMode());
        QCOMPARE(grid.FieldText("FTX"), std::string("433.0125"));

        lock.reset();
        QCOMPARE(StoredFrequencies(store.Path()).value(4), storedBefore);
        QVERIFY(form.SavePendingEdits());
        QVERIFY(!grid.InEditMode());
        QCOMPARE(StoredFrequencies(store.Path()).value(4), QStringLiteral("433.0125"));
        form.PrintTButClick();
        QCOMPARE(answerer.Names().last(), QStringLiteral("PrintDialog"));
    }
};

namespace {
const RegisterUiTest<StoreFaultWindowTests> registered;
}

}  // namespace q36::test

#include "store_fault_window_tests.moc"
