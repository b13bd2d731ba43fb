#pragma once
// A fresh folder under the temporary directory, removed with everything in it when the object
// goes: the one scratch folder of the tests.

#include <string>
#include <vector>

namespace q36::test {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::string path_;
};

}  // namespace q36::test
