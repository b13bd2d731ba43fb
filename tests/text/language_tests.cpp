#include <gtest/gtest.h>

#include <cerrno>

#include "text/choice_lists.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {
namespace {

constexpr int ZH = LANGUAGE_CHINESE;
constexpr int EN = LANGUAGE_ENGLISH;

TEST(LanguageTest, TrPicksTheTextOfTheLanguageGiven) {
    EXPECT_EQ(Tr(txt::MsgReadDone, ZH), "读频完成！");
    EXPECT_EQ(Tr(txt::MsgReadDone, EN), "Reading frequency Done!");
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
