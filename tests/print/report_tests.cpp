#include <gtest/gtest.h>

#include <QPrinter>
#include <array>

#include "print/peview_form.h"
#include "print/print_form.h"
#include "print/report_renderer.h"
#include "print_fixture.h"
#include "store/query.h"
#include "text/choice_lists.h"
#include "text/language.h"
#include "text/text_pairs.h"

namespace q36::test {
namespace {

const QDate PRINT_DATE(2024, 3, 5);

// Index of the first line at or after from whose squeezed text contains part; -1 if none.
int FindLine(const std::vector<std::string>& lines, const std::string& part, int from = 0) {
    for (int i = from; i < int(lines.size()); ++i) {
        if (Squeeze(lines[std::size_t(i)]).find(Squeeze(part)) != std::string::npos) return i;
    }
    return -1;
}

int CountLines(const std::vector<std::string>& lines, const std::string& part) {
    int count = 0;
    for (int i = FindLine(lines, part); i >= 0; i = FindLine(lines, part, i + 1)) ++count;
    return count;
}

// The last line with any text: the page footer.
std::string LastTextLine(const std::vector<std::string>& lines) {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (!Squeeze(*it).empty()) return *it;
    }
    return {};
}

// A table's rows as the store holds them, read through a connection of the test's own.
struct StoredRows {
    StoredRows(const std::string& path, const char* table) : query(connection) {
        EXPECT_TRUE(connection.Open(path).ok());
        EXPECT_TRUE(query.Open(std::string("select * from ") + table).ok());
    }
    Connection connection;
    Query query;
};

struct PrintedReports : ::testing::Test {
    static void SetUpTestSuite() {
        copy_ = new StoreCopy;
        ReadRadioInto(copy_->Path(), VariedRadioImage());
    }
    static void TearDownTestSuite() { delete copy_; }

    template <class Form>
    std::vector<std::string> Printed(Form& form) {
        EXPECT_TRUE(form.Connect(copy_->Path()).ok());
        form.SetHeaderLine(QStringLiteral("Q36写频软件(400-440)"));
        const std::string pdf = copy_->Folder() + "/report.pdf";
        EXPECT_EQ(RenderToPdf(form, pdf, PRINT_DATE), 1);
        return PdfLines(pdf);
    }

    static StoreCopy* copy_;
};

StoreCopy* PrintedReports::copy_ = nullptr;

TEST_F(PrintedReports, CommonReportPrintsEveryLabelBesideItsValueInRowOrder) {
    print::TPrintForm form(LANGUAGE_CHINESE);
    const std::vector<std::string> lines = Printed(form);

    ASSERT_GE(FindLine(lines, "Q36写频软件(400-440)"), 0);
    const int title = FindLine(lines, Tr(txt::CommonReportTitle, LANGUAGE_CHINESE));
    ASSERT_GE(title, 0);
    int at = FindLine(lines, Tr(txt::GlobalGroupBox, LANGUAGE_CHINESE), title);
    ASSERT_GT(at, title);

    // The values the radio sent, as a read leaves them in the store.
    StoredRows params(copy_->Path(), "PARAMETABLE");
    const auto stored = [&params](const char* column) { return params.query.TextAt(0, column); };
    EXPECT_EQ(stored("AVISET"), "12345");
    EXPECT_EQ(stored("TOPSET"), "120");
    EXPECT_EQ(stored("TEMCONTROL"), "True");

    struct Row {
        TextPair label;
        const char* column;
        TextPair rightLabel;
        const char* rightColumn;
    };
    const Row rows[] = {{txt::LabelANI, "AVISET", txt::Label7, "POWERPRESS"},
                        {txt::Label2, "AVIMODE", txt::Label8, "KEYAPRESS"},
                        {txt::Label3, "TOPSET", txt::Label9, "KEYBPRESS"},
                        {txt::Label5, "LOWALARM", txt::Label10, "TEMCONTROL"},
                        {txt::Label6, "LOWBAN", txt::Label11, "KEYENABLED"},
                        {txt::ScanGroupBox, nullptr, {}, nullptr},
                        {txt::Label13, "SCANPAUSE", txt::Label16, "SCANCHANSEL"},
                        {txt::Label14, "SCANRESTAR", txt::Label17, "SCANPAUSESEL"},
                        {txt::Label15, "LOSTTIME", {}, nullptr}};
    for (const Row& row : rows) {
        std::string expected = Tr(row.label, LANGUAGE_CHINESE);
        if (row.column) expected += stored(row.column);
        if (row.rightColumn)
            expected += Tr(row.rightLabel, LANGUAGE_CHINESE) + stored(row.rightColumn);
        const int line = FindLine(lines, Tr(row.label, LANGUAGE_CHINESE), at + 1);
        ASSERT_GT(line, at) << Tr(row.label, LANGUAGE_CHINESE) << " missing or out of order";
        EXPECT_EQ(Squeeze(lines[std::size_t(line)]), Squeeze(expected));
        at = line;
    }
    EXPECT_EQ(CountLines(lines, Tr(txt::GlobalGroupBox, LANGUAGE_CHINESE)), 1);
    // The factory powers are not part of the report.
    EXPECT_EQ(FindLine(lines, Tr(txt::Label18, LANGUAGE_CHINESE)), -1);

    const std::string footer = Squeeze(LastTextLine(lines));
    EXPECT_EQ(footer,
              "2024-03-05"
              "1");
}

TEST_F(PrintedReports, ChannelReportPrintsOneLinePerChannelUnderOneColumnHeader) {
    print::TPeviewForm form(LANGUAGE_CHINESE);
    const std::vector<std::string> lines = Printed(form);

    ASSERT_GE(FindLine(lines, "Q36写频软件(400-440)"), 0);
    const int title = FindLine(lines, Tr(txt::ChannelReportTitle, LANGUAGE_CHINESE));
    ASSERT_GE(title, 0);
    std::string header;
    for (int i = 0; i < 14; ++i) header += ChoiceAt(lists::ColumnTitleTable, i, LANGUAGE_CHINESE);
    const int headerLine = FindLine(lines, header);
    ASSERT_GT(headerLine, title);
    EXPECT_EQ(CountLines(lines, header), 1);

    StoredRows channels(copy_->Path(), "CHANNELTABLE");
    EXPECT_EQ(channels.query.TextAt(5, "REFREQUENCY"), "435.0125");
    const char* columns[] = {"CHANNELNO", "ENABLED", "VOX",         "FTX",    "FTONE",
                             "SDATA",     "TXPOWER", "REFREQUENCY", "RETONE", "REDATA",
                             "LEVEL",     "BW",      "ADDSCAN",     "BUSY"};
    int line = headerLine;
    for (int row = 0; row < 24; ++row) {
        std::string expected;
        for (const char* column : columns) expected += channels.query.TextAt(row, column);
        do {
            ++line;
        } while (line < int(lines.size()) && Squeeze(lines[std::size_t(line)]).empty());
        ASSERT_LT(line, int(lines.size()));
        EXPECT_EQ(Squeeze(lines[std::size_t(line)]), Squeeze(expected)) << "channel " << row + 1;
    }
    EXPECT_EQ(Squeeze(LastTextLine(lines)),
              "2024-03-05"
              "1");
}

// Records numbered from 1 in the channel number column, "v<n>" in the others.
class NumberedRecords : public print::ReportData {
  public:
    explicit NumberedRecords(int count) : count_(count) {}
    int RecordCount() const override { return count_; }
    QString FieldText(int record, const QString& column) const override {
        return column == QLatin1String("CHANNELNO") ? QString::number(record + 1)
                                                    : QStringLiteral("v%1").arg(record + 1);
    }

  private:
    int count_;
};

TEST(ReportPages, LongDataRunsOnWithHeaderAndFooterOnEveryPage) {
    print::TPeviewForm form(LANGUAGE_CHINESE);
    StoreCopy folder;
    const std::string pdf = folder.Folder() + "/long.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    print::SetUpA4Page(printer);
    ASSERT_EQ(print::RenderReport(form.Layout(), NumberedRecords(60), printer, PRINT_DATE), 3);

    std::string header;
    for (int i = 0; i < 14; ++i) header += ChoiceAt(lists::ColumnTitleTable, i, LANGUAGE_CHINESE);
    const std::vector<std::string> lines = PdfLines(pdf);
    // pdftotext starts each page after the first with a form feed.
    std::vector<std::vector<std::string>> pages(1);
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '\f') pages.emplace_back();
        pages.back().push_back(line);
    }
    if (pages.back().size() == 1 && Squeeze(pages.back()[0]).empty()) pages.pop_back();
    ASSERT_EQ(pages.size(), 3u);

    int next = 1;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::vector<std::string>& text = pages[page];
        EXPECT_EQ(CountLines(text, Tr(txt::ChannelReportTitle, LANGUAGE_CHINESE)),
                  page == 0 ? 1 : 0);
        EXPECT_EQ(CountLines(text, header), 1) << "page " << page + 1;
        EXPECT_EQ(Squeeze(LastTextLine(text)), "2024-03-05" + std::to_string(page + 1));
        for (const std::string& line : text) {
            const std::string squeezed = Squeeze(line);
            const std::string number = std::to_string(next);
            if (squeezed.rfind(number + "v" + number, 0) == 0) ++next;
        }
    }
    // Every record once, in order, none lost at a page break.
    EXPECT_EQ(next, 61);
}

}  // namespace
}  // namespace q36::test
