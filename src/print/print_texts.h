#pragma once
// Texts of the printing that the shared text table leaves to this program: saving a report as a
// PDF file when no printer is installed.

#include "text/language.h"

namespace q36::print::texts {

// The file dialog that asks where a report goes when there is no printer.
inline constexpr TextPair SavePdfCaption{"保存为 PDF 文件", "Save as PDF file"};
inline constexpr TextPair PdfFilter{"PDF 文件 (*.pdf)", "PDF files (*.pdf)"};
// Shown above the file's path and the system's reason when the file could not be written.
inline constexpr TextPair PdfNotSaved{"文件保存失败！", "The file could not be saved!"};

// The preview window's toolbar.
inline constexpr TextPair PreviewFitWidth{"适合宽度", "Fit width"};
inline constexpr TextPair PreviewZoomIn{"放大", "Zoom in"};
inline constexpr TextPair PreviewZoomOut{"缩小", "Zoom out"};
inline constexpr TextPair PreviewPrevious{"上一页", "Previous page"};
inline constexpr TextPair PreviewNext{"下一页", "Next page"};
inline constexpr TextPair PreviewPrint{"打印", "Print"};
inline constexpr TextPair PreviewClose{"关闭", "Close"};

}  // namespace q36::print::texts
