#pragma once
// The usage line of every q36cli subcommand, as --help and a usage error print it.

namespace q36::cli {

inline constexpr const char* kPortsUsage = "q36cli ports";
inline constexpr const char* kReadUsage =
    "q36cli read  --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] "
    "[--trace FILE] --out FILE  (FILE: .xlsx, .xls or CHIRP .csv)";
inline constexpr const char* kWriteUsage =
    "q36cli write --port PATH --band 400-440 [--no-scan-list] [--password KZP] [--lang zh|en] "
    "[--no-backup] [--no-verify] [--trace FILE] --in FILE  (FILE: .xlsx, .xls or CHIRP .csv)";
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

// What --help says about CHIRP CSV files.
inline constexpr const char* kCsvNote =
    "CHIRP CSV (a FILE ending in .csv, any letter case): read --out writes the enabled channels\n"
    "  (Location = channel number) and says what a CSV cannot hold (VOX, squelch level, busy\n"
    "  lock, scan lists, common values). write --in puts each row over its channel of the band's\n"
    "  defaults; Locations outside 1..24 are listed as dropped, a row with a value a channel\n"
    "  cannot take (out of band, a tone not in the radio's list, Duplex off, a Mode other than\n"
    "  FM/NFM) is listed as refused and leaves its channel at the default; the rest is written\n"
    "  (exit 0). A file that is no CHIRP CSV exits 7.";

}  // namespace q36::cli
