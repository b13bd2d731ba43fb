#pragma once
// Texts of q36cli diff: what it says about the two sides it compares.

#include "text/language.h"

namespace q36::cli::texts {

// A side that is neither: the argument, then the image reader's reason.
inline constexpr TextPair NeitherWorkbookNorImage{
    "{file}：既不是工作簿（.xlsx 或 .xls），也不是内存映像文件（{reason}）",
    "{file}: neither a workbook (.xlsx or .xls) nor a memory image file ({reason})"};
// The end of a comparison, on stderr beside the differences on stdout.
inline constexpr TextPair NoDifferences{"两者相同，没有不同之处。", "Both are the same."};
inline constexpr TextPair DifferenceCount{"共 {n} 处不同。", "{n} differences."};

}  // namespace q36::cli::texts
