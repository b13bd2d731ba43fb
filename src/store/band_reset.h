#pragma once
// The store's side of the band choice at start-up: every row back to the band's defaults.

#include "connection.h"
#include "protocol/run_settings.h"
#include "protocol/store_result.h"

namespace q36 {

// Overwrites every non-key column of every row with the defaults of the band lowMHz..highMHz:
// channels enabled, transmitting on the lower and receiving on the upper limit without tones,
// the common parameters at their defaults, all scan slots "NULL". List words are those of
// language. The three updates run in one transaction: a failure leaves the store as it was.
StoreResult ResetBandDefaults(Connection& connection, int lowMHz, int highMHz, int language);

// The same for the band and language of a run.
StoreResult ResetBandDefaults(Connection& connection, const RunSettings& settings);

}  // namespace q36
