#pragma once

#include "cli/options.h"

#include <array>

namespace Chromell::FadeOptions {

enum Id { kColors, kFormat, kBlend, kPerLine, kColumns, kWave, kPreview, kMarkup, kHelp, kVersion };

// chromell-fade's options, as the parser reads them and --help lists them;
// the numbers and names in the help come from the engine's constants and the
// format and blend tables.
const std::array<OptionDef, 10>& Table();

} // namespace Chromell::FadeOptions
