#pragma once
// The values of the common-parameter page by PARAMETABLE column: which member of CommonPage each
// column is, and its stored text (a list entry's word, an edit's text, "True"/"False").

#include <array>
#include <string>
#include <string_view>

#include "common_block.h"
#include "text/language.h"

namespace q36 {

struct CommonField {
    enum class Kind { List, Edit, Check };
    std::string_view column;  // PARAMETABLE column
    const TextPair* label;    // its caption on the page ("TOT  设置：")
    Kind kind;
    ChoiceList list;                // List: its entries
    int CommonPage::*position;      // List
    std::string CommonPage::*text;  // Edit
    bool CommonPage::*checked;      // Check
};

// Every column of the page: the ten lists, the six edits, the two check boxes.
extern const std::array<CommonField, 18> CommonFields;

// The field of a column; nullptr for none.
const CommonField* CommonFieldOf(std::string_view column);

// The stored text of a field of the page: a list's word in the given language (empty for no
// selection), an edit's text, "True" or "False".
std::string CommonFieldText(const CommonPage& page, const CommonField& field, int language);

// Sets a field from a stored text: a list from a word of either language (no selection when it is
// none), an edit to the text, a check box checked for "True".
void SetCommonFieldText(CommonPage& page, const CommonField& field, std::string_view text);

}  // namespace q36
