#include "cli/front_matter.h"

#include "chromell/version.h"

#include <ostream>

namespace Chromell {

int ReportUsageError(std::string_view program, std::ostream& err, std::string_view message) {
    err << program << ": " << message << " (see '" << program << " --help')\n";
    return 2;
}

bool WriteOutput(std::string_view program, OutputSink& out, std::ostream& err,
                 std::string_view text) {
    std::string why;
    if (out.Write(text, why)) {
        return true;
    }
    err << program << ": could not write the output: " << why << '\n';
    return false;
}

int ShowHelp(std::string_view program, OutputSink& out, std::ostream& err, std::string_view help) {
    return WriteOutput(program, out, err, help) ? 0 : 1;
}

int ShowVersion(std::string_view program, OutputSink& out, std::ostream& err) {
    return ShowHelp(program, out, err, std::string(program) + ' ' + CHROMELL_VERSION + '\n');
}

} // namespace Chromell
