#pragma once
// Texts of the connection check and the radio information ("{port}", "{group}", "{pid}",
// "{file}", "{holders}", "{count}", "{reason}", "{firmware}", "{status}", "{message}" and "{ms}"
// are filled in).

#include "text/language.h"

namespace q36::connection::texts {

// The mark before each line, and the word before a failed check's fix.
inline constexpr TextPair MarkPassed{"[通过]", "[ OK ]"};
inline constexpr TextPair MarkFailed{"[失败]", "[FAIL]"};
inline constexpr TextPair MarkSkipped{"[跳过]", "[SKIP]"};
inline constexpr TextPair FixLabel{"解决办法：", "Fix: "};

inline constexpr TextPair DeviceExists{"设备存在", "the device exists"};
inline constexpr TextPair DeviceMissing{"设备不存在", "the device does not exist"};
inline constexpr TextPair FixPlugIn{"插好写频线后重新选择串口",
                                    "plug in the programming cable and choose the port again"};

inline constexpr TextPair NotConsole{"不是系统控制台", "it is not the system console"};
inline constexpr TextPair IsConsole{"这是系统控制台，不会打开它",
                                    "it is the system console, so it is not opened"};
inline constexpr TextPair FixChooseCable{
    "选择写频线的串口（例如 /dev/ttyUSB0）",
    "choose the programming cable's port (such as /dev/ttyUSB0)"};
inline constexpr TextPair ConsoleLeftOut{"系统控制台，不检查也不打开",
                                         "the system console: left out, never opened"};

inline constexpr TextPair MayOpen{"当前用户可以读写此设备（组 {group}）",
                                  "this user may read and write it (group {group})"};
inline constexpr TextPair NoPermission{"当前用户无权读写此设备（组 {group}）",
                                       "this user may not read and write it (group {group})"};
inline constexpr TextPair FixDialout{"sudo usermod -aG dialout $USER，然后重新登录",
                                     "sudo usermod -aG dialout $USER, then log in again"};
inline constexpr TextPair FixLogInAgain{"用户已在组 {group} 中，重新登录后生效",
                                        "the user is in group {group}: log in again"};
inline constexpr TextPair FixAskAdmin{"请管理员授予此设备的读写权限",
                                      "ask the administrator for read and write access to it"};

inline constexpr TextPair NotHeld{"没有其它程序占用", "no other program holds it"};
inline constexpr TextPair Uninspected{"（另有 {count} 个其它用户的进程无法查看）",
                                      " ({count} processes of other users could not be looked at)"};
inline constexpr TextPair HeldBy{"被其它程序占用：{holders}", "held by another program: {holders}"};
inline constexpr TextPair HeldBySelf{"本程序正在使用此串口", "this program itself holds it open"};
inline constexpr TextPair HolderLockFile{"锁文件 {file}", "lock file {file}"};
inline constexpr TextPair StaleLock{"过期的锁文件 {file}（进程 {pid} 已结束）",
                                    "a stale lock file {file} (process {pid} has ended)"};
inline constexpr TextPair FixStaleLock{"删除它：sudo rm {file}", "remove it: sudo rm {file}"};
inline constexpr TextPair FixModemManager{
    "sudo systemctl stop ModemManager（长期停用：sudo systemctl disable ModemManager）",
    "sudo systemctl stop ModemManager (to keep it off: sudo systemctl disable ModemManager)"};
inline constexpr TextPair FixBrltty{"卸载 brltty：sudo apt remove brltty",
                                    "remove brltty: sudo apt remove brltty"};
inline constexpr TextPair FixCloseHolder{"关闭该程序（kill {pid}）或选择其它串口",
                                         "close that program (kill {pid}) or choose another port"};

inline constexpr TextPair Opens{"以 9600 8N1 打开成功", "opens at 9600 8N1"};
inline constexpr TextPair OpenFailed{"无法以 9600 8N1 打开：{reason}",
                                     "does not open at 9600 8N1: {reason}"};

inline constexpr TextPair Accepted{
    "设备应答握手：已接受，固件版本 {firmware}",
    "the radio answers the handshake: accepted, firmware {firmware}"};
inline constexpr TextPair AcceptedNoFirmware{
    "设备应答握手：已接受（状态 0，未告知固件版本）",
    "the radio answers the handshake: accepted (status 0, no firmware version)"};
inline constexpr TextPair Refused{"设备拒绝握手：状态 {status}，{message}",
                                  "the radio refuses the handshake: status {status}, {message}"};
inline constexpr TextPair FixBand{"选择与设备相符的频段", "choose the band the radio is made for"};
inline constexpr TextPair FixPassword{"使用设备的密码", "use the radio's password"};
inline constexpr TextPair NoAnswer{"设备在 {ms} 毫秒内没有应答握手",
                                   "the radio does not answer the handshake within {ms} ms"};
inline constexpr TextPair FixNoAnswer{
    "打开设备电源，插紧写频线，并确认这是写频线的串口",
    "switch the radio on, push the cable in firmly, and make sure this is the cable's port"};

inline constexpr TextPair NotCheckedConsole{"未检查是否为系统控制台",
                                            "not checked whether it is the system console"};
inline constexpr TextPair NotCheckedAccess{"未检查读写权限",
                                           "not checked whether this user may open it"};
inline constexpr TextPair NotCheckedHolders{"未检查是否被其它程序占用",
                                            "not checked whether another program holds it"};
inline constexpr TextPair SkippedOpen{"未以 9600 8N1 打开", "not opened at 9600 8N1"};
inline constexpr TextPair SkippedHandshake{"未发送握手", "no handshake sent"};
inline constexpr TextPair BecauseEarlierFailed{"（前面的检查未通过）",
                                               " (an earlier check failed)"};
inline constexpr TextPair BecauseHeldBySelf{"（本程序正在使用此串口）",
                                            " (this program itself holds it open)"};

// The radio information.
inline constexpr TextPair InfoBand{"频段：", "Band: "};
inline constexpr TextPair InfoPasswordCheck{"密码检查：", "Password check: "};
inline constexpr TextPair InfoAccepted{"已接受", "accepted"};
inline constexpr TextPair InfoUnknown{"未知", "unknown"};

}  // namespace q36::connection::texts
