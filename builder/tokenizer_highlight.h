// The highlighting function made from the PureBasic tokenizer linked into the program: what the
// builder uses where it does not load the highlighting DLL (the headless builder, tests, benchmarks).
// It reports exactly what the DLL built from the same tokenizer reports.
#pragma once

#include "builder/colour_bridge.h"

namespace veld {

HighlightFunction linkedTokenizerHighlight();

}  // namespace veld
