#include "band_defaults.h"

#include "text/choice_lists.h"

namespace q36 {

ChannelResult BandDefaultChannel(int n, int lowMHz, int highMHz, int language) {
    ChannelResult row;
    row.CHANNELNO = ChannelKey(n);
    row.ENABLED = "True";
    row.VOX = "True";
    // The store keeps frequencies as numbers and gives a whole one back without decimals.
    row.FTX = std::to_string(lowMHz);
    row.FTONE = "NULL";
    row.TXPOWER = ChoiceAt(lists::TxPower, 0, language);
    row.REFREQUENCY = std::to_string(highMHz);
    row.RETONE = "NULL";
    row.LEVEL = 4;
    row.BW = ChoiceAt(lists::Bandwidth, 0, language);
    row.ADDSCAN = ChoiceAt(lists::AddScan, 0, language);
    row.BUSY = ChoiceAt(lists::Busy, 0, language);
    return row;
}

CommonPage BandDefaultCommon() {
    CommonPage page;
    page.aniMode = 0;
    page.lowAlarm = 2;  // 6.8V
    page.lowBan = 0;    // 6.6V
    page.powerPress = 0;
    page.keyAPress = 0;
    page.keyBPress = 0;
    page.scanPause = 0;
    page.scanRestart = 0;
    page.scanChanSel = 0;
    page.scanPauseSel = 0;
    page.tot = "60";
    page.lostTime = "8";
    return page;
}

Configuration BandDefaultConfiguration(int lowMHz, int highMHz, int language) {
    Configuration configuration = BlankConfiguration();
    for (int n = 1; n <= int(configuration.channels.size()); ++n)
        configuration.channels[std::size_t(n - 1)] =
            BandDefaultChannel(n, lowMHz, highMHz, language);
    configuration.common = BandDefaultCommon();
    for (ScanResult& list : configuration.scans) list.slots.fill("NULL");
    return configuration;
}

}  // namespace q36
