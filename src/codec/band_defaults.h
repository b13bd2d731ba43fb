#pragma once
// The values the band reset at start-up gives every row, as configuration values: what a channel
// cleared or a page reset to its defaults goes back to.

#include "configuration.h"

namespace q36 {

// Channel n (1..24) at the band's defaults: enabled with VOX, transmitting on the lower and
// receiving on the upper band limit without tones, squelch level 4, the first word of each list
// in language.
ChannelResult BandDefaultChannel(int n, int lowMHz, int highMHz, int language);

// The common values at their defaults, list words of language.
CommonPage BandDefaultCommon();

// The whole configuration at the band's defaults: every channel, the common values and every scan
// slot "NULL".
Configuration BandDefaultConfiguration(int lowMHz, int highMHz, int language);

}  // namespace q36
