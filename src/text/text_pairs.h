#pragma once
// Every caption, label and message of the program as a Chinese/English pair.

#include "language.h"

namespace q36::txt {

// Main window: caption, toolbar buttons, menu items and pages.
inline constexpr TextPair MainCaption{"Q36写频软件", "Q36 Programming Soft"};
inline constexpr TextPair OpenTBut{"打开", "Open"};
inline constexpr TextPair SaveTBut{"保存", "Save"};
inline constexpr TextPair PrintTBut{"打印", "Print"};
inline constexpr TextPair WriteTBut{"写频", "Write"};
inline constexpr TextPair ReadTBut{"读频", "Read"};
inline constexpr TextPair ParaTBut{"参数设置", "ParamSet"};
inline constexpr TextPair ScanTBut{"扫描列表", "ScanList"};
inline constexpr TextPair AboutTBut{"关于", "About"};
inline constexpr TextPair ToolButton9{"退出", "Exit"};
inline constexpr TextPair FileMenu{"文件(&F)", "File(&F)"};
inline constexpr TextPair N1{"打开(&O)", "Open(&O)"};
inline constexpr TextPair N2{"保存(&S)", "Save(&S)"};
inline constexpr TextPair N3{"打印(&P)", "Print(&P)"};
inline constexpr TextPair ExitMenu{"退出(&E)", "Exit(&E)"};
inline constexpr TextPair OperMenu{"操作(&O)", "Operation(&O)"};
inline constexpr TextPair ReadMenu{"读取设备参数(&R)", "Read Params(&R)"};
inline constexpr TextPair WiteMenu{"写入频点参数(&W)", "Write Params(&W)"};
inline constexpr TextPair SetMenu{"设置(&S)", "Set(&S)"};
inline constexpr TextPair PMenu{"参数设置(&P)", "Param Set(&P)"};
inline constexpr TextPair MMenu{"扫描列表(&L)", "Scan List(&L)"};
inline constexpr TextPair HelpMune{"帮助(&H)", "Help(&H)"};
inline constexpr TextPair HMenu{"帮助主题(&H)", "HelpTopics(&H)"};
inline constexpr TextPair AMenu{"关于(&A)", "About(&A)"};
inline constexpr TextPair SuiTabSheet1{"公共参数", "Common Settings"};
inline constexpr TextPair SuiTabSheet2{"信道参数", "Channel Settings"};

// Common-parameter page (also the common report and the workbook's common sheet).
inline constexpr TextPair GlobalGroupBox{"全局参数：", "Common Settings:"};
inline constexpr TextPair Label10{"温控使能：", "Over temperature protection:"};
inline constexpr TextPair Label11{"按键锁使能：", "Key lock protection:"};
inline constexpr TextPair Label2{"ANI   模式：", "ANI   mode:"};
inline constexpr TextPair Label3{"TOT  设置：", "TOT   Set:"};
inline constexpr TextPair Label4{"(单位：秒)", "(Second)"};
inline constexpr TextPair Label5{"低压报警：", "Low voltage alarm:"};
inline constexpr TextPair Label6{"低压禁发：", "Low-fat ban:"};
inline constexpr TextPair Label7{"POWER 短按：", "POWER Press:"};
inline constexpr TextPair Label8{"按键A   短按：", "Button A short press:"};
inline constexpr TextPair Label9{"按键B   短按：", "Button B short press:"};
inline constexpr TextPair LabelANI{"ANI   设置：", "ANI   Set:"};
inline constexpr TextPair Label21{"扫描使能：", "Scan protection:"};
inline constexpr TextPair ScanGroupBox{"扫描参数：", "Scan Settings:"};
inline constexpr TextPair Label13{"扫描暂停条件：", "Scan pause conditions:"};
inline constexpr TextPair Label14{"扫描再启动条件：", "Scan restart conditions:"};
inline constexpr TextPair Label15{"消失时间(秒) ：", "Lost time (seconds):"};
inline constexpr TextPair Label15Pause{"暂停时间(秒) ：", "Pause time (seconds):"};
inline constexpr TextPair Label16{"扫描结束时信道选择：", "The end of the channel scan options:"};
inline constexpr TextPair Label17{"扫描暂停模式下发射信道选择：",
                                  "Scan pause mode channel selection:"};
inline constexpr TextPair FactoryGroupBox{"工厂参数：", "Factory parameters:"};
inline constexpr TextPair Label18{"发射功率高：", "High transmit power:"};
inline constexpr TextPair Label19{"发射功率中：", "Middle transmit power:"};
inline constexpr TextPair Label20{"发射功率低：", "Low transmit power:"};

// Messages and status texts ("\r\n" is the line break of two-line messages).
inline constexpr TextPair MsgOpenPortFirst{"请先打开串口!", "Please open the serial port!"};
inline constexpr TextPair MsgConfirmWrite{"请确认所有参数均设置完毕，\r\n确认写入？",
                                          "Make sure all parameters are set up,\r\nSure to write?"};
inline constexpr TextPair MsgConfirmRead{
    "请确认写频线已经正确连接至设备!\r\n开始读取？",
    "Make sure to write the frequency cable is properly connected to the device!\r\nTo start "
    "reading?"};
inline constexpr TextPair MsgModelMismatch{"机型不匹配, 请检查机型设置！",
                                           "Models do not match, please check the model set!"};
inline constexpr TextPair MsgWrongPassword{"密码错误！", "Wrong password!"};
inline constexpr TextPair MsgChecksumError{
    "数据校验和错误, 清确认连接是否正确!",
    "Data validation and error, the Qing confirm the connection is correct!"};
inline constexpr TextPair MsgUnknownHandshake{
    "未定义握手命令, 清确认连接是否正确!",
    "Handshake command is not defined, clear to confirm the connection is correct!"};
inline constexpr TextPair MsgWriteDone{
    "设备参数更新完毕\r\n请重启设备！",
    "Device parameters update is complete\r\nPlease restart the device!"};
inline constexpr TextPair MsgReadFailed{"读频失败！", "Frequency of failure Read!"};
inline constexpr TextPair MsgReadDone{"读频完成！", "Reading frequency Done!"};
inline constexpr TextPair MsgNoAnswer{"无应答!", "No Answer!"};
inline constexpr TextPair MsgResponseTimeout{"应答超时!", "Response Timeout!"};
inline constexpr TextPair MsgTotRange{"TOT范围：30~250", "TOT range: 30 ~ 250"};
inline constexpr TextPair MsgTotNotNumber{"TOT值必须是数字!", "TOT value must be a number!"};
inline constexpr TextPair MsgAniMax{"ANI值最大为65536", "ANI value is a maximum of 65536"};
inline constexpr TextPair MsgAniNotNumber{"ANI值必须是数字!", "ANI value must be a number!"};
inline constexpr TextPair MsgScanTimeRange{"扫描再启动时间范围：2~250",
                                           "Scan range of another start-up time: 2 ~ 250"};
inline constexpr TextPair MsgScanTimeNotNumber{"扫描再启动时间必须是数字!",
                                               "Scan start time must be a number again!"};
inline constexpr TextPair MsgToneEmpty{"亚音数值为空", "Tone value is empty"};
inline constexpr TextPair MsgToneNotInTable{"亚音数值不在亚音表中",
                                            "Tone value is not in the tone table"};
inline constexpr TextPair MsgFreqNotNumber{"频率必须输入数字！", "Frequency must enter a number!"};
inline constexpr TextPair MsgFreqError{"频率错误！", "Frequency Error!"};
inline constexpr TextPair TxtChannel{"信道", "Channel"};
inline constexpr TextPair MsgFileExists{"文件已经存在，是否覆盖？",
                                        "File already exists, overwrite?"};
inline constexpr TextPair MsgFileSaved{"文件已经成功保存！", "File has been successfully saved!"};
inline constexpr TextPair MsgFileReadOk{"文件读取成功！", "File read successfully!"};
inline constexpr TextPair MsgFileReadFailed{"文件读取失败！", "File read failed!"};
inline constexpr TextPair MsgEnterPassword{"请输入当前用户密码!",
                                           "Please enter the current user password!"};
inline constexpr TextPair MsgNoPort{"您的电脑没有串口！", "No serial port on your computer!"};
inline constexpr TextPair TxtNoCom{"无COM口", "No Com"};
inline constexpr TextPair TxtPortOpen{"打开", "Open"};
inline constexpr TextPair TxtPortBusy{"占用", "Busy"};
inline constexpr TextPair TxtPort{"串口", "Port"};
inline constexpr TextPair MsgPortBusy{"被占用或者其它错误！", "is busy or other error!"};
inline constexpr TextPair MsgChooseOtherPort{
    "请选择其它串口或者检查串口设置是否正确。",
    "Please choose another serial port or check the serial port settings are correct."};
// Why a port did not open, where the system's error number tells it.
inline constexpr TextPair MsgPortInUse{"串口正被其它程序使用",
                                       "The port is in use by another program"};
inline constexpr TextPair MsgPortMissing{"串口不存在或已被拔出",
                                         "The port does not exist or has been unplugged"};
inline constexpr TextPair MsgPortNoPermission{"没有使用此串口的权限",
                                              "No permission to use this port"};
inline constexpr TextPair TxtFirmware{"固件版本：", "Firmware: "};

// Dialogs.
inline constexpr TextPair BandDialogCaption{"频段选择", "Band selection"};
inline constexpr TextPair BandDialogGroup{"请选择频段", "Band selection"};
inline constexpr TextPair ButtonOk{"确定", "Confirm"};
inline constexpr TextPair ButtonCancel{"取消", "Cancel"};
inline constexpr TextPair VerDialogCaption{"版本选择", "Ver selection"};
inline constexpr TextPair VerDialogGroup{"请选择版本", "Ver selection"};
inline constexpr TextPair VerChoice0{"检查Q36天线旁是否有Q36字样，如有选择此版本",
                                     "If there is Q36 beside Q36 antenna,please select this VER"};
inline constexpr TextPair VerChoice1{
    "如没有选择此版本", "If there is no Q36 beside Q36 antenna,please select this VER"};
inline constexpr TextPair ParamDialogCaption{"参数设置", "Parameter settings"};
inline constexpr TextPair ParamLabel1{"串口选择：", "Serial options:"};
inline constexpr TextPair ParamLabel2{"密码输入：", "Password:"};
inline constexpr TextPair ParamLabel3{"当前机型：", "Current models:"};
inline constexpr TextPair ScanEditorCaption{"扫描信道列表", "Channel scan list"};

// Printing.
inline constexpr TextPair PrintDialogCaption{"参数打印", "Parameter print"};
inline constexpr TextPair PrintRadioGroup{"选择", "Select"};
inline constexpr TextPair PrintChoice0{"公共参数", "Common parameters"};
inline constexpr TextPair PrintChoice1{"信道参数", "Channel parameters"};
inline constexpr TextPair PrintPreview{"预览", "Preview"};
inline constexpr TextPair PrintPrint{"打印", "Print"};
inline constexpr TextPair ReportHeader{"Q36写频软件", "Q36 Programming Soft"};
inline constexpr TextPair CommonReportCaption{"公共参数打印", "Common parameter print"};
inline constexpr TextPair CommonReportTitle{"公共参数信息", "Common Setting "};
inline constexpr TextPair ChannelReportCaption{"信道参数打印", "Channel parameter print"};
inline constexpr TextPair ChannelReportTitle{"信道参数信息", "Channel Setting "};

// About box.
inline constexpr TextPair AboutCaption{"关于 Q36写频软件", "About Q36 Programming Soft"};
inline constexpr TextPair AboutWeb{"网址: ", "Web: "};
inline constexpr TextPair AboutAddress{"地址: ", "Add: "};

// Workbook sheets and headings.
inline constexpr TextPair SheetChannels{"信道参数", "ChannelSettings"};
inline constexpr TextPair SheetCommon{"公共参数", "CommonSettings"};
inline constexpr TextPair SheetScan{"扫描列表", "ScanList"};
inline constexpr TextPair HeadTxValue{"发数值", "TXValue"};
inline constexpr TextPair HeadRxValue{"收数值", "RXValue"};

// The command-line tool stopped by a signal ("{file}", "{blocks}", "{pending}", "{block}",
// "{first}" and "{last}" are filled in).
inline constexpr TextPair MsgStoppedBeforeSending{"已中断：没有向设备发送任何数据。",
                                                  "Interrupted: nothing was sent to the radio."};
inline constexpr TextPair MsgStoppedRead{"已中断：没有写入工作簿；请重新读频。",
                                         "Interrupted: no workbook was written; read again."};
inline constexpr TextPair MsgStoppedWrite{
    "已中断：设备中现有 {file} 的{blocks}{pending}；请重新写频。",
    "Interrupted: the radio holds {blocks} of {file}{pending}; write again."};
inline constexpr TextPair MsgStoppedWriteNothing{
    "已中断：设备中没有 {file} 的数据{pending}；请重新写频。",
    "Interrupted: the radio holds nothing of {file}{pending}; write again."};
inline constexpr TextPair TxtStoppedPending{"（{block}已发出，设备可能也已保存）",
                                            " ({block} was sent and may be kept too)"};
inline constexpr TextPair TxtCommonBlock{"公共参数", "the common block"};
inline constexpr TextPair TxtChannelOne{"信道 {first}", "channel {first}"};
inline constexpr TextPair TxtChannelRange{"信道 {first}-{last}", "channels {first}-{last}"};
inline constexpr TextPair TxtScanListOne{"扫描列表 {first}", "scan list {first}"};
inline constexpr TextPair TxtScanListRange{"扫描列表 {first}-{last}", "scan lists {first}-{last}"};
inline constexpr TextPair TxtListSeparator{"、", ", "};
inline constexpr TextPair TxtListLastSeparator{"和", " and "};

// A field that differs between two configurations, in plain words ("{where}", "{column}", the
// two sides' names and values).
inline constexpr TextPair TxtWhereCommon{"公共参数", "Common"};
inline constexpr TextPair TxtWhereChannel{"信道 {n}", "Channel {n}"};
inline constexpr TextPair TxtWhereScanList{"扫描列表 {n}", "Scan list {n}"};
inline constexpr TextPair TxtScanSlot{"第 {n} 位", "slot {n}"};
inline constexpr TextPair TxtFieldChange{"{where} {column}：{first} {before}，{second} {after}",
                                         "{where} {column}: {first} {before}, {second} {after}"};
inline constexpr TextPair TxtEmptyValue{"（空）", "(empty)"};

}  // namespace q36::txt
