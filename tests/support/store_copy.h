#pragma once
// A writable copy of the delivered database file in a scratch folder of its own, with raw engine
// access to damage or inspect it: the one store copy of the tests.

#include <string>

#include "scratch_folder.h"

namespace q36::test {

class StoreCopy {
  public:
    StoreCopy();

    bool Ok() const { return ok_; }
    const std::string& Folder() const { return folder_.Path(); }
    const std::string& Path() const { return path_; }

    // Runs statements on the file through a raw engine connection; fails the test on an error.
    void Sql(const std::string& sql) const;
    // The first column of the first row of a query, as text ("<no row>", "<null>").
    std::string Scalar(const std::string& sql) const;

  private:
    ScratchFolder folder_;
    std::string path_;
    bool ok_ = false;
};

}  // namespace q36::test
