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

}  // namespace q36::print::texts
