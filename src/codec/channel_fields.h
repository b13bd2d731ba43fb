#pragma once
// The columns of a channel row by name and position, their texts, and the lock rule that every
// writer of a channel (the grid, the workbook import, the read transfer) goes by.

#include <array>
#include <string>
#include <string_view>

#include "channel_block.h"

namespace q36 {

// The CHANNELTABLE columns in grid order; a column's position is its index here.
inline constexpr int CHANNEL_COLUMN_COUNT = 14;
inline constexpr std::array<std::string_view, CHANNEL_COLUMN_COUNT> ChannelColumns{
    "CHANNELNO",   "ENABLED", "VOX",    "FTX",   "FTONE", "SDATA",   "TXPOWER",
    "REFREQUENCY", "RETONE",  "REDATA", "LEVEL", "BW",    "ADDSCAN", "BUSY"};
inline constexpr int CHANNEL_KEY = 0;       // CHANNELNO
inline constexpr int CHANNEL_ENABLED = 1;   // ENABLED
inline constexpr int CHANNEL_TX_FREQ = 3;   // FTX
inline constexpr int CHANNEL_TX_TONE = 4;   // FTONE, the type of SDATA
inline constexpr int CHANNEL_TX_VALUE = 5;  // SDATA
inline constexpr int CHANNEL_RX_FREQ = 7;   // REFREQUENCY
inline constexpr int CHANNEL_RX_TONE = 8;   // RETONE, the type of REDATA
inline constexpr int CHANNEL_RX_VALUE = 9;  // REDATA
inline constexpr int CHANNEL_LEVEL = 10;    // LEVEL, the one integer column

// Every column's position, named as the grid shows it.
namespace channel_column {
inline constexpr int ChannelNo = 0, Enabled = 1, Vox = 2, Ftx = 3, Ftone = 4, Sdata = 5,
                     TxPower = 6, RxFreq = 7, Retone = 8, Redata = 9, Level = 10, Bw = 11,
                     AddScan = 12, Busy = 13, Count = CHANNEL_COLUMN_COUNT;
}  // namespace channel_column

// The position of a column by name (exact, upper case); -1 for none.
int ChannelColumnIndex(std::string_view column);

// The stored text of column k of a row; LEVEL as its decimal digits.
std::string ChannelFieldText(const ChannelResult& row, int k);

// Sets column k of a row from its stored text, whatever the lock rule says; false (the row
// unchanged) for a LEVEL that is no whole number or a column that does not exist.
bool SetChannelFieldText(ChannelResult& row, int k, std::string_view text);

// The lock rule: a disabled channel (ENABLED reads "False") keeps its values, so of its columns
// only ENABLED may be written; the key CHANNELNO is never written.
bool ChannelColumnWritable(const ChannelResult& row, int k);

// Applies the update's assignments in their order, each only if the lock rule allows it at that
// point: a writer that enables a channel first may write its other columns after. False when an
// assignment was refused (a locked column, an unknown column, a LEVEL that is no number).
bool ApplyChannelUpdate(ChannelResult& row, const ChannelUpdate& update);

// A whole record of the channel written as the workbook import writes one: ENABLED "True" first
// when the row is locked, then every column but the key, ENABLED (the record's own) last.
ChannelUpdate RecordUpdate(const ChannelResult& current, const ChannelResult& record);

}  // namespace q36
