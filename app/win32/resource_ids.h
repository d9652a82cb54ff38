#pragma once

// Resources of chromell.exe (chromell.rc).
#define CHROMELL_ICON 1
#define CHROMELL_ARTWORK 2
