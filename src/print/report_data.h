#pragma once
// The records a report's detail band is repeated for.

#include <QString>

namespace q36 {
class Query;
}

namespace q36::print {

class ReportData {
  public:
    virtual ~ReportData() = default;
    virtual int RecordCount() const = 0;
    // The text of a column of a record; empty for a column the records do not have.
    virtual QString FieldText(int record, const QString& column) const = 0;
};

// The rows of an open store query, as their stored texts.
class QueryReportData : public ReportData {
  public:
    explicit QueryReportData(const Query& query) : query_(query) {}
    int RecordCount() const override;
    QString FieldText(int record, const QString& column) const override;

  private:
    const Query& query_;
};

}  // namespace q36::print
