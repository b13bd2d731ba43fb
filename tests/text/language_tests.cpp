#include <gtest/gtest.h>

#include <cerrno>

#include "exchange/exchange_texts.h"
#include "text/choice_lists.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui/window_texts.h"

namespace q36 {
namespace {

constexpr int ZH = LANGUAGE_CHINESE;
constexpr int EN = LANGUAGE_ENGLISH;

// The exact words of the messages other tests name only by their pair, so that a changed text
// is caught here and nowhere else.
TEST(LanguageTest, TrGivesEachMessageItsExactTextInBothLanguages) {
    const struct {
        const TextPair* pair;
        const char* zh;
        const char* en;
    } cases[] = {
        // How a transfer ends, and the questions before it.
        {&txt::MsgConfirmRead, "请确认写频线已经正确连接至设备!\r\n开始读取？",
         "Make sure to write the frequency cable is properly connected to the device!\r\nTo start "
         "reading?"},
        {&txt::MsgConfirmWrite, "请确认所有参数均设置完毕，\r\n确认写入？",
         "Make sure all parameters are set up,\r\nSure to write?"},
        {&txt::MsgOpenPortFirst, "请先打开串口!", "Please open the serial port!"},
        {&txt::MsgReadDone, "读频完成！", "Reading frequency Done!"},
        {&txt::MsgReadFailed, "读频失败！", "Frequency of failure Read!"},
        {&txt::MsgWriteDone, "设备参数更新完毕\r\n请重启设备！",
         "Device parameters update is complete\r\nPlease restart the device!"},
        {&txt::MsgNoAnswer, "无应答!", "No Answer!"},
        {&txt::MsgResponseTimeout, "应答超时!", "Response Timeout!"},
        {&txt::MsgModelMismatch, "机型不匹配, 请检查机型设置！",
         "Models do not match, please check the model set!"},
        {&txt::MsgWrongPassword, "密码错误！", "Wrong password!"},
        {&txt::MsgChecksumError, "数据校验和错误, 清确认连接是否正确!",
         "Data validation and error, the Qing confirm the connection is correct!"},
        {&txt::MsgUnknownHandshake, "未定义握手命令, 清确认连接是否正确!",
         "Handshake command is not defined, clear to confirm the connection is correct!"},
        // Refused channel and common values.
        {&txt::MsgFreqNotNumber, "频率必须输入数字！", "Frequency must enter a number!"},
        {&txt::HeadTxValue, "发数值", "TXValue"},
        {&txt::MsgToneEmpty, "亚音数值为空", "Tone value is empty"},
        {&txt::MsgToneNotInTable, "亚音数值不在亚音表中", "Tone value is not in the tone table"},
        {&txt::MsgTotNotNumber, "TOT值必须是数字!", "TOT value must be a number!"},
        {&txt::MsgTotRange, "TOT范围：30~250", "TOT range: 30 ~ 250"},
        {&txt::MsgAniNotNumber, "ANI值必须是数字!", "ANI value must be a number!"},
        {&txt::MsgAniMax, "ANI值最大为65536", "ANI value is a maximum of 65536"},
        {&txt::MsgScanTimeNotNumber, "扫描再启动时间必须是数字!",
         "Scan start time must be a number again!"},
        {&txt::MsgScanTimeRange, "扫描再启动时间范围：2~250",
         "Scan range of another start-up time: 2 ~ 250"},
        // The port.
        {&txt::MsgPortInUse, "串口正被其它程序使用", "The port is in use by another program"},
        {&txt::MsgPortMissing, "串口不存在或已被拔出",
         "The port does not exist or has been unplugged"},
        {&txt::MsgPortNoPermission, "没有使用此串口的权限", "No permission to use this port"},
        // Save and Open.
        {&txt::MsgFileExists, "文件已经存在，是否覆盖？", "File already exists, overwrite?"},
        {&txt::MsgFileSaved, "文件已经成功保存！", "File has been successfully saved!"},
        {&txt::MsgFileReadOk, "文件读取成功！", "File read successfully!"},
        {&txt::MsgFileReadFailed, "文件读取失败！", "File read failed!"},
        {&exchange::texts::SaveFailedCaption, "提示", "Msg"},
        {&exchange::texts::SaveFailed,
         "无法调用Mircorsoft   Excel!   \r\n请检查是否安装了Mircorsoft   Excel。",
         "Can not call Mircorsoft Excel!   \r\nPlease check whether you have Mircorsoft Excel."},
        // Reports and windows.
        {&txt::ReportHeader, "Q36写频软件", "Q36 Programming Soft"},
        {&ui::wtxt::NoFirmware, "NC", "NC"},
        {&ui::wtxt::VersionPrefix, "VER:  ", "VER:  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Tr(*c.pair, ZH), c.zh);
        EXPECT_EQ(Tr(*c.pair, EN), c.en);
    }
}

TEST(LanguageTest, ChoiceListEntryKIsPairKOfTheLanguageGiven) {
    EXPECT_EQ(ChoiceCount(lists::TxPower), 3u);
    EXPECT_EQ(ChoiceAt(lists::TxPower, 1, ZH), "中");
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "低", ZH), 2);
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "Low", ZH), -1);
    EXPECT_EQ(ChoiceAt(lists::TxPower, 3, ZH), "");
    EXPECT_EQ(ChoiceAt(lists::TxPower, -1, ZH), "");

    EXPECT_EQ(ChoiceAt(lists::TxPower, 1, EN), "Middle");
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "Low", EN), 2);
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "低", EN), -1);
    EXPECT_EQ(ChoiceEntries(lists::AniMode, EN),
              (std::vector<std::string>{"NULL", "after PTT", "before PTT", "before+after"}));
}

// The two busy-lockout entries and the two power-press entries share their Chinese texts but
// not their English ones; a stored English text must find its own list's position.
TEST(LanguageTest, ListsSharingChineseTextsKeepTheirOwnEnglishTexts) {
    EXPECT_EQ(ChoiceIndexOf(lists::Busy, "开", ZH), ChoiceIndexOf(lists::PowerPress, "开", ZH));
    EXPECT_EQ(ChoiceIndexOf(lists::Busy, "Yes", EN), 1);
    EXPECT_EQ(ChoiceIndexOf(lists::PowerPress, "Open", EN), 1);
    EXPECT_EQ(ChoiceIndexOf(lists::Busy, "Open", EN), -1);
}

TEST(LanguageTest, ComposedMessagesInBothLanguages) {
    EXPECT_EQ(ChannelFrequencyErrorText(5, ZH), "信道 5 频率错误！");
    EXPECT_EQ(FirmwareStatusText("1.0.3", ZH), "固件版本： 1.0.3");
    EXPECT_EQ(PortOpenStatusText("/dev/ttyUSB0", ZH), "/dev/ttyUSB0 打开");
    EXPECT_EQ(PortBusyStatusText("/dev/ttyUSB0", ZH), "/dev/ttyUSB0 占用");
    EXPECT_EQ(PortBusyMessage("/dev/ttyUSB0", ZH),
              "串口 /dev/ttyUSB0 被占用或者其它错误！\r\n请选择其它串口或者检查串口设置是否正确。");

    // A port's reason where the error number tells it, else the component's text.
    const std::string component = "Error opening serial port";
    EXPECT_EQ(PortOpenErrorText(component, EAGAIN, "Resource temporarily unavailable", ZH),
              Tr(txt::MsgPortInUse, ZH) + " (Resource temporarily unavailable)");
    EXPECT_EQ(PortOpenErrorText(component, ENXIO, "x", ZH), Tr(txt::MsgPortMissing, ZH) + " (x)");
    EXPECT_EQ(PortOpenErrorText(component, EIO, "Input/output error", ZH),
              component + ": Input/output error");
    EXPECT_EQ(PortOpenErrorText(component, 0, "", ZH), component);

    EXPECT_EQ(PortOpenErrorText(component, EACCES, "Permission denied", EN),
              Tr(txt::MsgPortNoPermission, EN) + " (Permission denied)");
    EXPECT_EQ(ChannelFrequencyErrorText(24, EN), "Channel 24 Frequency Error!");
    EXPECT_EQ(FirmwareStatusText("1.0.3", EN), "Firmware:  1.0.3");
    EXPECT_EQ(PortOpenStatusText("/dev/ttyUSB0", EN), "/dev/ttyUSB0 Open");
    EXPECT_EQ(PortBusyMessage("/dev/ttyACM1", EN),
              "Port /dev/ttyACM1 is busy or other error!\r\nPlease choose another serial port or "
              "check the serial port settings are correct.");
}

}  // namespace
}  // namespace q36
