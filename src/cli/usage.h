#pragma once
// The usage line of every q36cli subcommand, as --help and a usage error print it.

namespace q36::cli {

inline constexpr const char* kPortsUsage = "q36cli ports";
inline constexpr const char* kReadUsage =
    "q36cli read  --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] "
    "[--trace FILE] --out FILE";
inline constexpr const char* kWriteUsage =
    "q36cli write --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] "
    "[--no-backup] [--no-verify] [--trace FILE] --in FILE";
inline constexpr const char* kLogUsage = "q36cli log";
inline constexpr const char* kRadioUsage =
    "q36cli radio [--band 400-440] [--no-scan-list] [--password KZP] [--firmware 1.0.3] "
    "[--image FILE] [--link PATH] [--log FILE] [--pace] [--fault SPEC]...";
inline constexpr const char* kDiffUsage =
    "q36cli diff A B [--json] [--band 400-440] [--no-scan-list] [--password KZP] [--lang zh|en]  "
    "(A, B: a workbook .xlsx/.xls, a memory image file, or radio:PORT)";
inline constexpr const char* kInfoUsage =
    "q36cli info  --port PATH --band 400-440 [--password KZP] [--lang zh|en]";
inline constexpr const char* kDoctorUsage =
    "q36cli doctor [--port PATH] [--band 400-440] [--password KZP] [--lang zh|en]";

}  // namespace q36::cli
