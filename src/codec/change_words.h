#pragma once
// A field that differs between two configurations in the words a user reads: where it is (the
// common values, a channel, a scan list), the column's caption and the two values.

#include <string>
#include <vector>

#include "configuration.h"

namespace q36 {

// "信道 5" / "Channel 5", "扫描列表 2" / "Scan list 2", "公共参数" / "Common".
std::string ChangePlace(const FieldChange& change, int language);
// The column's caption as the window shows it ("发送频率" / "TxFreq", "第 3 位" / "slot 3").
std::string ChangeColumn(const FieldChange& change, int language);
// A value as shown in a description: the stored text, or "（空）" / "(empty)".
std::string ChangeValue(const std::string& text, int language);

// One line: place, column, then the two sides by their names ("写入" 145.00000, "设备中" ...).
std::string DescribeChange(const FieldChange& change, const std::string& firstName,
                           const std::string& secondName, int language);

// How many channels, common values and scan lists the changes touch.
struct ChangeCounts {
    int channels = 0;
    int commonValues = 0;
    int scanLists = 0;
    bool operator==(const ChangeCounts&) const = default;
};
ChangeCounts CountChanges(const std::vector<FieldChange>& changes);

}  // namespace q36
