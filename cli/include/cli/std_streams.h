#pragma once

#include "cli/input.h"

namespace Chromell {

// Standard input, read with the system's own calls: a read returns as soon as
// some bytes are there, so a line typed or piped in is seen at once.
class StandardInput final : public InputSource {
public:
    std::optional<std::size_t> Read(std::span<char> buffer, std::string& error) override;
};

// Standard output written byte for byte (on Windows not in text mode, which
// would turn every LF into CR LF, and a CR LF of the text into CR CR LF).
void UseBinaryOutput();

// Whether standard input is a terminal (someone would type the text).
bool StandardInputIsTerminal();

// Gives each closed standard descriptor (0, 1, 2) a stand-in that fails every
// read or write, so that a file the program opens later cannot take its
// number and receive what was meant for standard output.
void ReserveClosedStandardDescriptors();

} // namespace Chromell
