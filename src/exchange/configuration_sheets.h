#pragma once
// The workbook Save writes: the common parameter sheet, the channel sheet and the scan list
// sheet, in this order, named and titled in the current language.

#include "configuration_rows.h"
#include "workbook.h"

namespace q36::exchange {

// Every value is trimmed of blanks; the two frequency columns become numbers where their text
// is a number; everything else is text.
Workbook BuildConfigurationWorkbook(const ConfigurationRows& rows);

}  // namespace q36::exchange
