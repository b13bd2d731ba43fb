#pragma once
// The common-parameter page's binding to the PARAMETABLE row: list positions to and from the
// stored words, check boxes to and from "True"/"False", edits as texts.

#include "codec/common_block.h"
#include "protocol/store_result.h"
#include "query.h"

namespace q36 {

// The page as the current row of the query shows it: each list column's text as its position in
// its list (a word of either language; -1 when it matches no entry), the check boxes checked for
// "True".
StoreResult ReadCommonRow(const Query& query, CommonPage& page);

// Writes the page into the current row of a query in edit state: the words of the selected list
// entries in the given language (a list without a selection leaves its column as it is), the
// edits' texts and "True" or "False" for the check boxes. Stops at the first column that refuses
// its value.
StoreResult WriteCommonRow(Query& query, const CommonPage& page, int language);

}  // namespace q36
