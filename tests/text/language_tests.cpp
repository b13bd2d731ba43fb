#include <gtest/gtest.h>

#include <cerrno>

#include "text/choice_lists.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/text_pairs.h"

namespace q36 {
namespace {

// Every test starts in Chinese and leaves the language as it found it.
class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = LanguageIndex;
        LanguageIndex = 0;
    }
    void TearDown() override { LanguageIndex = saved_; }

  private:
    int saved_ = 0;
};

TEST_F(LanguageTest, TrPicksTheTextOfTheCurrentLanguage) {
    EXPECT_EQ(Tr(txt::MsgReadDone), "读频完成！");
    LanguageIndex = 1;
    EXPECT_EQ(Tr(txt::MsgReadDone), "Reading frequency Done!");
    EXPECT_EQ(TrIn(txt::MsgReadDone, 0), "读频完成！");
}

TEST_F(LanguageTest, ChoiceListEntryKIsPairKOfTheCurrentLanguage) {
    EXPECT_EQ(ChoiceCount(lists::TxPower), 3u);
    EXPECT_EQ(ChoiceAt(lists::TxPower, 1), "中");
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "低"), 2);
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "Low"), -1);
    EXPECT_EQ(ChoiceAt(lists::TxPower, 3), "");
    EXPECT_EQ(ChoiceAt(lists::TxPower, -1), "");

    LanguageIndex = 1;
    EXPECT_EQ(ChoiceAt(lists::TxPower, 1), "Middle");
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "Low"), 2);
    EXPECT_EQ(ChoiceIndexOf(lists::TxPower, "低"), -1);
    EXPECT_EQ(ChoiceEntries(lists::AniMode),
              (std::vector<std::string>{"NULL", "after PTT", "before PTT", "before+after"}));
}

// The two busy-lockout entries and the two power-press entries share their Chinese texts but
// not their English ones; a stored English text must find its own list's position.
TEST_F(LanguageTest, ListsSharingChineseTextsKeepTheirOwnEnglishTexts) {
    EXPECT_EQ(ChoiceIndexOf(lists::Busy, "开"), ChoiceIndexOf(lists::PowerPress, "开"));
    LanguageIndex = 1;
    EXPECT_EQ(ChoiceIndexOf(lists::Busy, "Yes"), 1);
    EXPECT_EQ(ChoiceIndexOf(lists::PowerPress, "Open"), 1);
    EXPECT_EQ(ChoiceIndexOf(lists::Busy, "Open"), -1);
}

TEST_F(LanguageTest, ComposedMessagesInBothLanguages) {
    EXPECT_EQ(ChannelFrequencyErrorText(5), "信道 5 频率错误！");
    EXPECT_EQ(FirmwareStatusText("1.0.3"), "固件版本： 1.0.3");
    EXPECT_EQ(PortOpenStatusText("/dev/ttyUSB0"), "/dev/ttyUSB0 打开");
    EXPECT_EQ(PortBusyStatusText("/dev/ttyUSB0"), "/dev/ttyUSB0 占用");
    EXPECT_EQ(PortBusyMessage("/dev/ttyUSB0"),
              "串口 /dev/ttyUSB0 被占用或者其它错误！\r\n请选择其它串口或者检查串口设置是否正确。");

    // A port's reason where the error number tells it, else the component's text.
    const std::string component = "Error opening serial port";
    EXPECT_EQ(PortOpenErrorText(component, EAGAIN, "Resource temporarily unavailable"),
              Tr(txt::MsgPortInUse) + " (Resource temporarily unavailable)");
    EXPECT_EQ(PortOpenErrorText(component, ENXIO, "x"), Tr(txt::MsgPortMissing) + " (x)");
    EXPECT_EQ(PortOpenErrorText(component, EIO, "Input/output error"),
              component + ": Input/output error");
    EXPECT_EQ(PortOpenErrorText(component, 0, ""), component);

    LanguageIndex = 1;
    EXPECT_EQ(PortOpenErrorText(component, EACCES, "Permission denied"),
              Tr(txt::MsgPortNoPermission) + " (Permission denied)");
    EXPECT_EQ(ChannelFrequencyErrorText(24), "Channel 24 Frequency Error!");
    EXPECT_EQ(FirmwareStatusText("1.0.3"), "Firmware:  1.0.3");
    EXPECT_EQ(PortOpenStatusText("/dev/ttyUSB0"), "/dev/ttyUSB0 Open");
    EXPECT_EQ(PortBusyMessage("/dev/ttyACM1"),
              "Port /dev/ttyACM1 is busy or other error!\r\nPlease choose another serial port or "
              "check the serial port settings are correct.");
}

}  // namespace
}  // namespace q36
