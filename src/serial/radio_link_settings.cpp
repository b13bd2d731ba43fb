#include "serial/radio_link_settings.h"

namespace q36 {

void ApplyRadioLinkSettings(TComm& comm) {
    comm.SetBaudRate(9600);
    comm.SetParityCheck(false);
    comm.SetOutx_CtsFlow(false);
    comm.SetOutx_DsrFlow(false);
    comm.SetDtrControl(TDtrControl::DtrEnable);
    comm.SetDsrSensitivity(false);
    comm.SetTxContinueOnXoff(false);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(true);
    comm.SetReplaceWhenParityError(false);
    comm.SetIgnoreNullChar(false);
    comm.SetRtsControl(TRtsControl::RtsEnable);
    comm.SetXonLimit(64);
    comm.SetXoffLimit(64);
    comm.SetByteSize(TByteSize::_8);
    comm.SetParity(TParity::None);
    comm.SetStopBits(TStopBits::_1);
    comm.SetXonChar(0x11);
    comm.SetXoffChar(0x13);
    comm.SetReplacedChar(0x00);
    comm.SetReadIntervalTimeout(100);
    comm.SetReadTotalTimeoutMultiplier(0);
    comm.SetReadTotalTimeoutConstant(0);
    comm.SetWriteTotalTimeoutMultiplier(0);
    comm.SetWriteTotalTimeoutConstant(0);
}

}  // namespace q36
