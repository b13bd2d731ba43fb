#pragma once
// Texts of the windows that the shared text table leaves to this program: the maker's lines of
// the about box, its web addresses, and the texts shown the same in both languages.

#include <string_view>

#include "text/language.h"

namespace q36::ui::wtxt {

// The maker's details are neutral placeholders; a distributor replaces them with its own.
inline constexpr TextPair MakerShortName{"示例电子", "Example Electronics"};
inline constexpr TextPair MakerFullName{"示例电子有限公司", "Example Electronics Co., Ltd."};
inline constexpr TextPair MakerAddress{"示例市示例路 1 号", "No. 1 Example Road, Example City"};
inline constexpr TextPair MakerTel{"电话: 000-00000000", " Tel:  000-00000000"};
inline constexpr TextPair MakerFax{"传真: 000-00000001", " Fax:  000-00000001"};
// The web address: a Chinese page, and an English one for language 1.
inline constexpr TextPair MakerWeb{"https://www.example.com/zh/", "https://www.example.com/en/"};

// The port dialog's connection check: its button, and the caption of the box with its lines.
inline constexpr TextPair CheckConnection{"检查连接", "Check connection"};

// Shown the same in both languages.
inline constexpr TextPair NoFirmware{"NC", "NC"};
inline constexpr TextPair VersionPrefix{"VER:  ", "VER:  "};
inline constexpr TextPair TrayTip{"Q36", "Q36"};
// The caption of a message box that has none: a blank, because the window system would put the
// program's name into an empty caption.
inline constexpr TextPair NoCaption{" ", " "};
// The file dialogs of Save and Open list workbooks only.
inline constexpr TextPair WorkbookFilter{"Microsoft Excel File (*.xls *.xlsx)",
                                         "Microsoft Excel File (*.xls *.xlsx)"};

}  // namespace q36::ui::wtxt
