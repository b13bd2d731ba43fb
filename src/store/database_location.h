#pragma once
// Where a run keeps its store. A program run from its build folder finds the delivered file
// beside it and works there. An installed program's folder is not writable: it keeps its own
// copy of the delivered file (share/q36cps beside bin/) in the user's data folder, renewed when
// that copy is missing or older than the delivered one.

#include <string>

#include "text/language.h"

namespace q36 {

enum class DatabaseSource {
    BesideProgram,  // the file beside the executables (a build folder, or nothing delivered)
    UserCopy,       // the user's copy, already there and not older than the delivered file
    NewUserCopy,    // the user's copy, made from the delivered file at this start
};

struct DatabaseLocation {
    std::string path;       // the file the run opens
    std::string delivered;  // the delivered file the copy comes from (empty beside the program)
    DatabaseSource source = DatabaseSource::BesideProgram;
    std::string error;  // why no copy could be made (the run then opens path and says so)
};

// programFolder and dataFolder end without or with '/'; dataFolder is created when a copy is
// made. A copy that is replaced is kept beside it as Q36DataBase.mdb.old.
DatabaseLocation LocateDatabase(const std::string& programFolder, const std::string& dataFolder);

// $XDG_DATA_HOME/q36cps, else ~/.local/share/q36cps.
std::string UserDataFolder();

// The location this process works with, found (and the copy made) at the first call.
const DatabaseLocation& ProgramDatabase();

// One line that names the file the run works with and where it comes from.
std::string DatabaseLocationText(const DatabaseLocation& location, int language);

namespace texts {
inline constexpr TextPair DatabaseBesideProgram{"数据库：{file}（程序所在文件夹）",
                                                "Database: {file} (beside the program)"};
inline constexpr TextPair DatabaseUserCopy{"数据库：{file}（{delivered} 的副本）",
                                           "Database: {file} (a copy of {delivered})"};
inline constexpr TextPair DatabaseCopyFailed{
    "数据库：{file}（无法复制 {delivered}：{reason}）",
    "Database: {file} (cannot copy {delivered}: {reason})"};
}  // namespace texts

}  // namespace q36
