#pragma once
// Helpers of the workbook tests: a scratch folder, zip archives made on the spot, the
// independent Python readers and a sample configuration.

#include <string>
#include <utility>
#include <vector>

#include "exchange/configuration_rows.h"

namespace q36::exchange::testing {

// A fresh folder, removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Writes a zip archive holding the named parts, deflated or stored as they are.
void WriteZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& parts, bool deflate = true);

// The parts of a minimal .xlsx package with one sheet named "S" whose part is sheetXml, plus
// the shared strings when given.
std::vector<std::pair<std::string, std::string>> MinimalXlsxParts(
    const std::string& sheetXml, const std::string& sharedXml = "");

// Whether /usr/bin/python3 can import the module.
bool PythonHasModule(const std::string& module);
// Runs a Python script under /usr/bin/python3 with the arguments; its standard output.
std::string RunPython(const std::string& script, const std::vector<std::string>& args,
                      int* exitCode = nullptr);

// A configuration as the band reset 400-440 leaves it, with a few rows changed so that columns
// are told apart: channel 2 disabled, channel 3 with tones and 435.0125 MHz, list 2 with members.
ConfigurationRows SampleConfiguration();

}  // namespace q36::exchange::testing
