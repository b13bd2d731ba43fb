#include "run_settings.h"

namespace q36 {

std::string BandText = "400-440";
int BandIndex = 0;
int BandLowMHz = 400;
int BandHighMHz = 440;
int FactoryLock = 0;
bool HasScanList = true;

}  // namespace q36
