#pragma once
// A private copy of the delivered database for one command-line run, so that the tool never
// touches the desktop program's own file; removed again when the run ends.

#include <string>

#include "protocol/run_settings.h"
#include "store/connection.h"

namespace q36::cli {

class WorkingStore {
  public:
    WorkingStore() = default;
    ~WorkingStore();
    WorkingStore(const WorkingStore&) = delete;
    WorkingStore& operator=(const WorkingStore&) = delete;

    // Copies the delivered file into a new private folder, opens it and resets it to the band of
    // the run's settings. False with the reason in error.
    bool Create(const RunSettings& settings, std::string& error);

    Connection& connection() { return connection_; }

  private:
    std::string folder_;
    Connection connection_;
};

}  // namespace q36::cli
