#include "report_data.h"

#include "report_text.h"
#include "store/query.h"

namespace q36::print {

int QueryReportData::RecordCount() const {
    return query_.Active() ? query_.RecordCount() : 0;
}

QString QueryReportData::FieldText(int record, const QString& column) const {
    return QtText(query_.TextAt(record, column.toStdString()));
}

}  // namespace q36::print
