#pragma once
// A workbook opened for reading, whatever its format: its sheet names in tab order and the
// cells of any sheet as texts. The format is recognised by the file's content, not its name.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange_status.h"
#include "sheet_cells.h"
#include "text/language.h"

namespace q36::exchange {

struct OpenedWorkbook;

class WorkbookSource {
  public:
    virtual ~WorkbookSource() = default;
    // The names of the worksheets in tab order.
    virtual const std::vector<std::string>& SheetNames() const = 0;
    // Reads the cells of sheet index (from 0). Numbers read as their shortest decimal text,
    // booleans as "True"/"False", formula cells as their last computed value. A failure's
    // detail gives the reason and the file's path; an .xls cell holding an error value fails
    // with ErrorValue, naming the cell.
    ExchangeStatus ReadSheet(std::size_t index, SheetCells& cells);

  protected:
    // Reads the cells of a sheet; a failure's detail is the reason alone.
    virtual ExchangeStatus ReadSheetCells(std::size_t index, SheetCells& cells) = 0;

  private:
    friend OpenedWorkbook OpenWorkbookFile(const std::string& path, int language);
    std::string path_;
    int language_ = LANGUAGE_CHINESE;  // of the reasons a failure gives
};

struct OpenedWorkbook {
    ExchangeStatus status;
    std::unique_ptr<WorkbookSource> source;  // set when status is Ok
};

// Opens an .xlsx (zip signature) or .xls (OLE2 signature) workbook. Every failure, also of a
// later ReadSheet, carries the reason (in language) and the path in its detail.
OpenedWorkbook OpenWorkbookFile(const std::string& path, int language);

// The whole content of a regular file within the workbook size limit (a pipe cannot hold it).
ExchangeStatus ReadWholeFile(const std::string& path, int language, std::vector<uint8_t>& bytes);

// The detail of a read failure: the reason of the code in words of language, the technical
// reason, the path.
ExchangeStatus ReadFailure(ExchangeError code, const std::string& reason, const std::string& path,
                           int language);

// Whether two sheet or column names are the same, ASCII letters compared without regard to case
// as a spreadsheet compares them.
bool SameName(std::string_view a, std::string_view b);

// Index of the sheet with this name (an exact match first, then one by SameName), or -1.
int SheetIndexOf(const WorkbookSource& source, const std::string& name);

}  // namespace q36::exchange
