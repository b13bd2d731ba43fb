#pragma once
// A private copy of the delivered database file, removed again with the object.

#include <QFile>
#include <QTemporaryDir>
#include <string>

namespace q36::test {

class StoreCopy {
  public:
    StoreCopy() {
        copied_ = folder_.isValid() &&
                  QFile::copy(QStringLiteral(Q36_DELIVERED_DATABASE), folder_.filePath(Name()));
        // The delivered file may be read-only; the copy must be writable.
        QFile(folder_.filePath(Name())).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    bool Ok() const { return copied_; }
    std::string Path() const { return folder_.filePath(Name()).toStdString(); }

  private:
    static QString Name() { return QStringLiteral("Q36DataBase.mdb"); }
    QTemporaryDir folder_;
    bool copied_ = false;
};

}  // namespace q36::test
