#include "cli/fade_command.h"
#include "cli/output.h"
#include "cli/std_streams.h"

#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    Chromell::ReserveClosedStandardDescriptors();
    Chromell::UseBinaryOutput();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    Chromell::FileOutput out(stdout);
    Chromell::StandardInput in;
    return Chromell::RunFadeCommand(args,
                                    {in, out, std::cerr, Chromell::StandardInputIsTerminal()});
}
