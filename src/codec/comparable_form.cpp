#include "comparable_form.h"

#include "channel_fields.h"
#include "frequency.h"
#include "text/choice_lists.h"

namespace q36 {

namespace {

void SameFrequency(std::string& text) {
    if (const auto value = ParseDecimalText(text))
        text = FrequencyTextFromUnits(FrequencyUnitsLow24(*value));
}

void SameWord(std::string& text, ChoiceList list, int language) {
    const int k = ChoiceIndexOfAny(list, text, language);
    if (k >= 0) text = ChoiceAt(list, k, language);
}

}  // namespace

Configuration ComparableForm(Configuration configuration, int language) {
    for (ChannelResult& channel : configuration.channels) {
        // A disabled channel's other values are kept by the store but never reach the radio,
        // and a read of the radio gives none: they mean nothing on either side.
        if (channel.ENABLED == "False") {
            ChannelResult kept;
            kept.CHANNELNO = channel.CHANNELNO;
            kept.ENABLED = channel.ENABLED;
            channel = kept;
            continue;
        }
        SameFrequency(channel.FTX);
        SameFrequency(channel.REFREQUENCY);
        SameWord(channel.TXPOWER, lists::TxPower, language);
        SameWord(channel.BW, lists::Bandwidth, language);
        SameWord(channel.ADDSCAN, lists::AddScan, language);
        SameWord(channel.BUSY, lists::Busy, language);
    }
    return configuration;
}

std::vector<FieldChange> DiffComparable(const Configuration& a, const Configuration& b,
                                        int language) {
    return Diff(ComparableForm(a, language), ComparableForm(b, language), language);
}

}  // namespace q36
