#pragma once

// What every command-line tool does the same way before its own work: help,
// version, usage errors and the report of output it could not write.

#include "cli/output.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace Chromell {

// A usage error: "PROGRAM: MESSAGE (see 'PROGRAM --help')" on `err`.
// Returns the exit status of a usage error, 2.
int ReportUsageError(std::string_view program, std::ostream& err, std::string_view message);

// Writes `text` to `out`: true, or false with "PROGRAM: could not write the
// output: WHY" on `err`.
bool WriteOutput(std::string_view program, OutputSink& out, std::ostream& err,
                 std::string_view text);

// --help and --version: writes the text and returns the exit status, 0, or 1
// when it could not be written.
int ShowHelp(std::string_view program, OutputSink& out, std::ostream& err, std::string_view help);
int ShowVersion(std::string_view program, OutputSink& out, std::ostream& err);

} // namespace Chromell
