#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "codec/channel_block.h"
#include "print/para_print_form.h"
#include "print/peview_form.h"
#include "print/print_form.h"
#include "print/print_texts.h"
#include "print_fixture.h"
#include "protocol/run_settings.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

// The dialog on a machine without printers, saving where the test says instead of asking.
class NoPrinterDialog : public print::TParaPrintForm {
  public:
    using TParaPrintForm::TParaPrintForm;
    QString pdfPath;
    int asked = 0;

  protected:
    QPrinterInfo DefaultPrinter() const override { return {}; }
    QString AskPdfFileName(const print::ReportForm&) override {
        ++asked;
        return pdfPath;
    }
};

// The dialog with the system's default printer, where asking for a file name is a fault.
class QueueDialog : public print::TParaPrintForm {
  public:
    using TParaPrintForm::TParaPrintForm;
    int asked = 0;

  protected:
    QString AskPdfFileName(const print::ReportForm&) override {
        ++asked;
        return {};
    }
};

QString Q(const TextPair& pair) {
    return QString::fromStdString(Tr(pair, LANGUAGE_CHINESE));
}

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (Squeeze(line).find(Squeeze(text)) != std::string::npos) return true;
    }
    return false;
}

struct PrintDialog : ::testing::Test {
    void SetUp() override { ReadRadioInto(copy.Path(), VariedRadioImage()); }

    void Click(const char* button) {
        auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }
    std::vector<std::string> PrintCurrent(const char* name) {
        const std::string pdf = copy.Folder() + "/" + name;
        EXPECT_EQ(RenderToPdf(dialog.CurrentReport(), pdf, QDate::currentDate()), 1);
        return PdfLines(pdf);
    }

    StoreCopy copy;
    RunSettings settings;  // the 400-440 band
    NoPrinterDialog dialog{settings};
};

TEST_F(PrintDialog, OpensWithTheChannelReportChosenAndFollowsTheChoice) {
    auto* group = dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"));
    ASSERT_NE(group, nullptr);
    const auto entries = group->findChildren<QRadioButton*>();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1]->text(), Q(txt::PrintChoice1));

    EXPECT_EQ(dialog.ItemIndex(), 1);
    EXPECT_EQ(&dialog.CurrentReport(), &dialog.ChannelReport());
    entries[0]->click();
    EXPECT_EQ(dialog.ItemIndex(), 0);
    EXPECT_EQ(&dialog.CurrentReport(), &dialog.CommonReport());
    entries[1]->click();
    EXPECT_EQ(&dialog.CurrentReport(), &dialog.ChannelReport());
}

TEST_F(PrintDialog, ShowingAgainPrintsTheStoreAsItIsThen) {
    ASSERT_TRUE(dialog.Connect(copy.Path()).ok());
    int commits = 0;
    dialog.SetCommitPendingEdits([&commits] { ++commits; });

    dialog.show();
    EXPECT_EQ(commits, 1);
    EXPECT_TRUE(Contains(PrintCurrent("before.pdf"),
                         Tr(txt::ReportHeader, LANGUAGE_CHINESE) + "(400-440)"));
    dialog.hide();

    // Edits posted through the main window's connection while the dialog is closed, and
    // another band in the header line.
    PostValue(copy.Path(), "CHANNELTABLE", 2, "FTX", "433.125");
    PostValue(copy.Path(), "PARAMETABLE", 0, "TOPSET", "240");
    settings.BandText = "350-390";

    dialog.show();
    EXPECT_EQ(commits, 2);
    const std::vector<std::string> channels = PrintCurrent("channels.pdf");
    EXPECT_TRUE(Contains(channels, Tr(txt::ReportHeader, LANGUAGE_CHINESE) + "(350-390)"));
    EXPECT_TRUE(Contains(channels, "03TrueFalse433.125"));
    dialog.SetItemIndex(0);
    EXPECT_TRUE(Contains(PrintCurrent("common.pdf"), Tr(txt::Label3, LANGUAGE_CHINESE) + "240"));
    dialog.hide();
}

TEST_F(PrintDialog, PreviewShowsTheChosenReport) {
    ASSERT_TRUE(dialog.Connect(copy.Path()).ok());
    dialog.show();
    QString title;
    int pages = -1;
    {
        ModalAnswerer answerer(&dialog, [&](QWidget* preview) {
            title = preview->windowTitle();
            if (auto* view = preview->findChild<QPrintPreviewWidget*>()) pages = view->pageCount();
        });
        Click("SpeedButton1");
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(title, Q(txt::ChannelReportCaption));
    EXPECT_EQ(pages, 1);

    dialog.SetItemIndex(0);
    ModalAnswerer answerer(&dialog, [&](QWidget* preview) { title = preview->windowTitle(); });
    Click("SpeedButton1");
    EXPECT_EQ(title, Q(txt::CommonReportCaption));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(PrintDialog, PrintWithoutAPrinterSavesThePdfFileTheUserNames) {
    ASSERT_TRUE(dialog.Connect(copy.Path()).ok());
    dialog.show();

    // The user cancels the file dialog: nothing is written and nothing is shown.
    Click("SpeedButton2");
    EXPECT_EQ(dialog.asked, 1);

    const std::string pdf = copy.Folder() + "/channels.pdf";
    dialog.pdfPath = QString::fromStdString(pdf);
    Click("SpeedButton2");
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::vector<std::string> lines = PdfLines(pdf);
    EXPECT_TRUE(Contains(lines, Tr(txt::ChannelReportTitle, LANGUAGE_CHINESE)));
    EXPECT_TRUE(Contains(lines, "24True"));
    EXPECT_TRUE(Contains(lines, QDate::currentDate().toString(Qt::ISODate).toStdString()));

    // The preview's print button takes the same path: here, the file the user names.
    const std::string fromPreview = copy.Folder() + "/preview.pdf";
    dialog.pdfPath = QString::fromStdString(fromPreview);
    {
        ModalAnswerer answerer(&dialog, [](QWidget* preview) {
            if (auto* action = preview->findChild<QAction*>(QStringLiteral("PreviewPrint")))
                action->trigger();
        });
        Click("SpeedButton1");
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(dialog.asked, 3);
    EXPECT_TRUE(Contains(PdfLines(fromPreview), Tr(txt::ChannelReportTitle, LANGUAGE_CHINESE)));

    // A folder that does not exist: the user is told, with the path.
    dialog.pdfPath = QString::fromStdString(copy.Folder() + "/missing/common.pdf");
    QString told;
    {
        ModalAnswerer answerer(&dialog, [&](QWidget* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box)) told = message->text();
        });
        Click("SpeedButton2");
    }
    EXPECT_TRUE(told.startsWith(Q(print::texts::PdfNotSaved))) << told.toStdString();
    EXPECT_TRUE(told.contains(dialog.pdfPath));
    EXPECT_EQ(dialog.asked, 4);
}

TEST_F(PrintDialog, ADamagedStoreIsReportedInsteadOfPrintingEmptyPages) {
    ASSERT_TRUE(dialog.Connect(copy.Path()).ok());
    // The file is overwritten behind the program's back while it runs.
    std::ofstream(copy.Path(), std::ios::trunc) << std::string(4096, 'x');

    dialog.show();
    const std::string pdf = copy.Folder() + "/never.pdf";
    dialog.pdfPath = QString::fromStdString(pdf);
    for (const char* button : {"SpeedButton1", "SpeedButton2"}) {
        QString told;
        ModalAnswerer answerer(&dialog, [&](QWidget* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box)) told = message->text();
        });
        Click(button);
        EXPECT_TRUE(told.contains(QString::fromStdString(copy.Path()))) << told.toStdString();
    }
    EXPECT_EQ(dialog.asked, 0);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// With a print queue as the default printer, both reports and the preview's print button go to
// it without a dialog. Run where a cups-pdf queue is the default (Q36_CUPS_PDF_OUT names the
// folder it writes to): the files it makes are read back as text. The run is in English, since
// the print filters keep no text of the Chinese glyphs.
TEST(PrintQueue, BothReportsGoToTheDefaultQueueWithoutADialog) {
    const char* out = std::getenv("Q36_CUPS_PDF_OUT");
    if (!out || !*out) GTEST_SKIP() << "no cups-pdf queue set up";
    const std::filesystem::path folder(out);
    // The folder is the user's own: only the files this test's jobs make are looked at, and
    // removed afterwards.
    const auto pdfFiles = [&folder] {
        std::set<std::filesystem::path> files;
        if (std::filesystem::exists(folder)) {
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                if (entry.path().extension() == ".pdf") files.insert(entry.path());
        }
        return files;
    };
    const std::set<std::filesystem::path> before = pdfFiles();
    StoreCopy copy;
    ReadRadioInto(copy.Path(), VariedRadioImage(), LANGUAGE_ENGLISH);
    RunSettings settings;  // the 400-440 band
    settings.LanguageIndex = LANGUAGE_ENGLISH;
    QueueDialog dialog{settings};
    ASSERT_FALSE(QPrinterInfo::defaultPrinter().isNull());
    ASSERT_TRUE(dialog.Connect(copy.Path()).ok());
    dialog.show();
    const auto click = [&](const char* button) {
        auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(found, nullptr);
        found->click();
    };
    dialog.SetItemIndex(0);
    click("SpeedButton2");
    dialog.SetItemIndex(1);
    click("SpeedButton2");
    {
        ModalAnswerer answerer(&dialog, [](QWidget* preview) {
            if (auto* action = preview->findChild<QAction*>(QStringLiteral("PreviewPrint")))
                action->trigger();
        });
        click("SpeedButton1");
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(dialog.asked, 0);

    // A file is complete once the queue has no job left.
    std::vector<std::filesystem::path> made;
    for (int wait = 0; wait < 120 && made.size() < 3; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        std::unique_ptr<FILE, int (*)(FILE*)> jobs(popen("lpstat -o", "r"), pclose);
        if (!jobs || std::fgetc(jobs.get()) != EOF) continue;
        made.clear();
        for (const auto& file : pdfFiles())
            if (!before.count(file)) made.push_back(file);
    }
    std::vector<std::vector<std::string>> pages;
    for (const auto& file : made) {
        pages.push_back(PdfLines(file));
        std::filesystem::remove(file);
    }
    ASSERT_EQ(pages.size(), 3u);
    const std::string header = Tr(txt::ReportHeader, LANGUAGE_ENGLISH) + "(400-440)";
    int channelReports = 0;
    for (const std::vector<std::string>& lines : pages) {
        EXPECT_TRUE(Contains(lines, header));
        if (!Contains(lines, Tr(txt::ChannelReportTitle, LANGUAGE_ENGLISH))) {
            EXPECT_TRUE(Contains(lines, Tr(txt::CommonReportTitle, LANGUAGE_ENGLISH)));
            continue;
        }
        ++channelReports;
        // Every channel of the varied radio is enabled.
        for (int n = 1; n <= CHANNEL_COUNT; ++n)
            EXPECT_TRUE(Contains(lines, ChannelKey(n) + "True")) << n;
    }
    EXPECT_EQ(channelReports, 2);
}

}  // namespace
}  // namespace q36::test
