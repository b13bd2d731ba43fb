#pragma once
// libgsf, the OLE2 compound file library, set up once for the whole program.

namespace q36::exchange {

// Initialises libgsf on first use. Its warnings about damaged compound files are dropped: a
// damaged file is reported to the user as an error value, not on the terminal.
void InitGsfLibrary();

}  // namespace q36::exchange
