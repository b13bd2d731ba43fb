#include "band_reset.h"

#include "codec/scan_block.h"
#include "query.h"
#include "text/choice_lists.h"

namespace q36 {

namespace {

constexpr const char* kResetChannels =
    "UPDATE CHANNELTABLE set  [ENABLED]=:ENABLED, [VOX]=:VOX,[FTX]=:FTX,[FTONE]=:FTONE,"
    "[SDATA]=:SDATA, [TXPOWER]=:TXPOWER,[REFREQUENCY]=:REFREQUENCY, [RETONE]=:RETONE,"
    "[REDATA]=:REDATA,[LEVEL]=:LEVEL,[BW]=:BW,[ADDSCAN]=:ADDSCAN,[BUSY]=:BUSY";

constexpr const char* kResetParameters =
    "UPDATE PARAMETABLE set  [AVISET]=:AVISET, [AVIMODE]=:AVIMODE,[TOPSET]=:TOPSET,"
    "[LOWALARM]=:LOWALARM,[LOWBAN]=:LOWBAN, [POWERPRESS]=:POWERPRESS,[KEYAPRESS]=:KEYAPRESS, "
    "[KEYBPRESS]=:KEYBPRESS,[TEMCONTROL]=:TEMCONTROL,[KEYENABLED]=:KEYENABLED,"
    "[SCANPAUSE]=:SCANPAUSE,[SCANRESTAR]=:SCANRESTAR,[LOSTTIME]=:LOSTTIME,"
    "[SCANCHANSEL]=:SCANCHANSEL, [SCANPAUSESEL]=:SCANPAUSESEL,[HIGHTRANPOWER]=:HIGHTRANPOWER,"
    "[MIDTRANPOWER]=:MIDTRANPOWER, [LOWTRANPOWER]=:LOWTRANPOWER";

constexpr const char* kResetScanLists =
    "UPDATE SCANTABLE set   [01]=:01,[02]=:02,[03]=:03,[04]=:04, [05]=:05,[06]=:06,[07]=:07,"
    "[08]=:08,[09]=:09,[10]=:10,[11]=:11,[12]=:12,[13]=:13, [14]=:14,[15]=:15,[16]=:16";

StoreResult RunResets(Query& query, int lowMHz, int highMHz, int language) {
    query.Close();
    query.SetSql(kResetChannels);
    query.SetParam("ENABLED", std::string("1"));
    query.SetParam("VOX", std::string("1"));
    query.SetParam("FTX", double(lowMHz));
    query.SetParam("FTONE", std::string("NULL"));
    query.SetParam("SDATA", std::string());
    query.SetParam("TXPOWER", ChoiceAt(lists::TxPower, 0, language));
    query.SetParam("REFREQUENCY", double(highMHz));
    query.SetParam("RETONE", std::string("NULL"));
    query.SetParam("REDATA", std::string());
    query.SetParam("LEVEL", std::string("4"));
    query.SetParam("BW", ChoiceAt(lists::Bandwidth, 0, language));
    query.SetParam("ADDSCAN", ChoiceAt(lists::AddScan, 0, language));
    query.SetParam("BUSY", ChoiceAt(lists::Busy, 0, language));
    if (StoreResult done = query.ExecSQL(); !done.ok()) return done;

    query.Close();
    query.SetSql(kResetParameters);
    query.SetParam("AVISET", std::string());
    query.SetParam("AVIMODE", ChoiceAt(lists::AniMode, 0, language));
    query.SetParam("TOPSET", std::string("60"));
    query.SetParam("LOWALARM", std::string("6.8V"));
    query.SetParam("LOWBAN", std::string("6.6V"));
    query.SetParam("POWERPRESS", ChoiceAt(lists::PowerPress, 0, language));
    query.SetParam("KEYAPRESS", ChoiceAt(lists::KeyAPress, 0, language));
    query.SetParam("KEYBPRESS", ChoiceAt(lists::KeyBPress, 0, language));
    query.SetParam("TEMCONTROL", std::string("0"));
    query.SetParam("KEYENABLED", std::string("0"));
    query.SetParam("SCANPAUSE", ChoiceAt(lists::ScanPause, 0, language));
    query.SetParam("SCANRESTAR", ChoiceAt(lists::ScanRestart, 0, language));
    query.SetParam("LOSTTIME", std::string("8"));
    query.SetParam("SCANCHANSEL", ChoiceAt(lists::ScanChanSel, 0, language));
    query.SetParam("SCANPAUSESEL", ChoiceAt(lists::ScanPauseSel, 0, language));
    query.SetParam("HIGHTRANPOWER", std::string());
    query.SetParam("MIDTRANPOWER", std::string());
    query.SetParam("LOWTRANPOWER", std::string());
    if (StoreResult done = query.ExecSQL(); !done.ok()) return done;

    query.Close();
    query.SetSql(kResetScanLists);
    for (int s = 1; s <= SCAN_SLOT_COUNT; ++s)
        query.SetParam(ScanSlotColumn(s), std::string("NULL"));
    return query.ExecSQL();
}

}  // namespace

StoreResult ResetBandDefaults(Connection& connection, int lowMHz, int highMHz, int language) {
    if (StoreResult begun = connection.Execute("BEGIN IMMEDIATE"); !begun.ok()) return begun;
    Query query(connection);
    StoreResult result = RunResets(query, lowMHz, highMHz, language);
    if (result.ok()) result = connection.Execute("COMMIT");
    if (!result.ok()) connection.Execute("ROLLBACK");
    return result;
}

StoreResult ResetBandDefaults(Connection& connection, const RunSettings& settings) {
    return ResetBandDefaults(connection, settings.BandLowMHz, settings.BandHighMHz,
                             settings.LanguageIndex);
}

}  // namespace q36
