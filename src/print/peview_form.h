#pragma once
// The channel report: one line per CHANNELTABLE row under a header of the channel grid's column
// titles, each value centred in its column.

#include "report_form.h"

namespace q36::print {

class TPeviewForm : public ReportForm {
  public:
    // Takes its captions and column titles from the text pairs of language.
    explicit TPeviewForm(int language);
};

}  // namespace q36::print
