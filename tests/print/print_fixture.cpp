#include "print_fixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "codec/common_block.h"
#include "codec/frequency.h"
#include "print/report_form.h"
#include "print/report_renderer.h"
#include "protocol/transfer.h"
#include "sim/loopback_link.h"
#include "sim/virtual_radio.h"
#include "store/query.h"
#include "store/store_transfer_data.h"
#include "support/radio_bench.h"

namespace q36::test {

RadioImage VariedRadioImage() {
    RadioImage image = DefaultRadioImage(400, 440);
    DataBlock& common = image.Block(1, 0);
    namespace at = common_layout;
    common[at::LowAlarm] = 3;
    common[at::LowBan] = 1;
    common[at::Tot] = 120;
    common[at::KeyFlags] = 0x07;
    common[at::Ani] = 0x39;  // 12345, low byte first
    common[at::Ani + 1] = 0x30;
    common[at::AniMode] = 3;
    common[at::ScanFlags] = 0x05;
    common[at::LostTime] = 30;
    for (int i = 0; i < 24; ++i) {
        DataBlock& b = image.Block(2, i);
        const int rxType = i % 4;
        const int txType = (i + 1) % 4;
        b[9] = uint8_t(0x01 | rxType << 4 | (i % 2 ? 0x02 : 0) | (i % 5 ? 0x04 : 0) |
                       (i % 3 ? 0x08 : 0));
        b[10] = rxType ? uint8_t(i * 3 % 50) : 0;
        b[11] = uint8_t(txType << 4 | (i % 3) << 2 | (i % 2 ? 0x02 : 0));
        b[12] = txType ? uint8_t((i * 2 + 30) % 50) : 0;
        b[13] = uint8_t(i % 9);
    }
    PutUnits24(&image.Block(2, 5)[3], 3480100);  // 435.0125 MHz
    return image;
}

void ReadRadioInto(const std::string& path, const RadioImage& image, int language) {
    Connection connection;
    ASSERT_TRUE(connection.Open(path).ok());
    // A test's scratch copy needs no flush to the disk after every posted row.
    ASSERT_TRUE(connection.Execute("PRAGMA synchronous=OFF").ok());
    StoreTransferData data(connection, language);
    ASSERT_TRUE(data.OpenQueries().ok());
    VirtualRadio radio(RadioConfig{}, image);
    RecordingEffects effects;
    TransferOverLink(data, effects, radio, true);
    ASSERT_FALSE(effects.messages.empty()) << "silent";
    ASSERT_EQ(effects.messages.back().event, TransferEvent::ReadDone) << effects.LastMessage();
}

void PostValue(const std::string& path, const std::string& table, int row,
               const std::string& column, const std::string& text) {
    Connection connection;
    ASSERT_TRUE(connection.Open(path).ok());
    ASSERT_TRUE(connection.Execute("PRAGMA synchronous=OFF").ok());
    Query query(connection);
    ASSERT_TRUE(query.Open("select * from " + table).ok());
    ASSERT_TRUE(query.MoveTo(row).ok());
    ASSERT_TRUE(query.Edit().ok());
    ASSERT_TRUE(query.WriteText(column, text).ok());
    ASSERT_TRUE(query.Post().ok());
}

int RenderToPdf(const print::ReportForm& report, const std::string& path, const QDate& date) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    print::SetUpA4Page(printer);
    return report.Render(printer, date);
}

std::vector<std::string> PdfLines(const std::string& path) {
    std::vector<std::string> lines;
    const std::string command = "pdftotext -layout '" + path + "' - 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run pdftotext";
        return lines;
    }
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0) << text;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string Squeeze(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\f') out += c;
    }
    return out;
}

struct ModalAnswerer::State {
    QTimer timer;
    bool answered = false;
};

ModalAnswerer::ModalAnswerer(const QWidget* skip, std::function<void(QWidget*)> answer)
    : state_(std::make_shared<State>()) {
    std::weak_ptr<State> weak = state_;
    state_->timer.setInterval(10);
    QObject::connect(&state_->timer, &QTimer::timeout, [weak, skip, answer]() {
        const std::shared_ptr<State> state = weak.lock();
        QWidget* modal = QApplication::activeModalWidget();
        if (!state || modal == nullptr || modal == skip || !modal->isVisible()) return;
        state->timer.stop();
        state->answered = true;
        answer(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    state_->timer.start();
}

ModalAnswerer::~ModalAnswerer() {
    state_->timer.stop();
}

bool ModalAnswerer::Answered() const {
    return state_->answered;
}

}  // namespace q36::test
