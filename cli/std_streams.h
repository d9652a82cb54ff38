#pragma once

namespace Chromell {

// Whether standard input is a terminal (someone would type the text).
bool StandardInputIsTerminal();

// Gives each closed standard descriptor (0, 1, 2) a stand-in that fails every
// read or write, so that a file the program opens later cannot take its
// number and receive what was meant for standard output.
void ReserveClosedStandardDescriptors();

} // namespace Chromell
