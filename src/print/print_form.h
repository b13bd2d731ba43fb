#pragma once
// The common-parameter report: the one PARAMETABLE row under the labels of the main window's
// common page, global settings in two columns and scan settings below them.

#include "report_form.h"

namespace q36::print {

class TPrintForm : public ReportForm {
  public:
    // Takes its captions and labels from the text pairs of language.
    explicit TPrintForm(int language);
};

}  // namespace q36::print
