#include "common_row.h"

#include "codec/common_fields.h"

namespace q36 {

StoreResult ReadCommonRow(const Query& query, CommonPage& page) {
    CommonPage read;
    std::string text;
    for (const CommonField& field : CommonFields) {
        if (StoreResult r = query.ReadText(field.column, text); !r.ok()) return r;
        // A word of the other language, as a workbook of that language stores it, counts too.
        SetCommonFieldText(read, field, text);
    }
    page = read;
    return StoreResult::Ok();
}

StoreResult WriteCommonRow(Query& query, const CommonPage& page, int language) {
    for (const CommonField& field : CommonFields) {
        const std::string text = CommonFieldText(page, field, language);
        // A list without a selection leaves its column as it is.
        if (field.kind == CommonField::Kind::List && text.empty()) continue;
        if (StoreResult r = query.WriteText(field.column, text); !r.ok()) return r;
    }
    return StoreResult::Ok();
}

}  // namespace q36
