#pragma once
// The workbook Save writes: the common parameter sheet, the channel sheet and the scan list
// sheet, in this order, named and titled in the given language.

#include "codec/configuration.h"
#include "workbook.h"

namespace q36::exchange {

// Every value is its stored text (list words of the common page in the given language), trimmed
// of blanks; the two frequency columns become numbers where their text is a number; everything
// else is text.
Workbook BuildConfigurationWorkbook(const Configuration& configuration, int language);

}  // namespace q36::exchange
