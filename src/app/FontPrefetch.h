#pragma once

// The system's font configuration, read on a thread of its own from the program's first
// line, beside the loading of the toolkit and the making of the window's first parts.
// Where the toolkit finds fonts by fontconfig, reading it (some tens of configuration
// files and the font caches) is about a sixth of the editor's start-up, else done on the
// main thread when the first text is measured. Elsewhere both do nothing.
namespace FontPrefetch
{

void begin();
// Before the first text is measured: else the toolkit would read the configuration a
// second time beside, as fontconfig does for a reading not yet finished.
void finish();

} // namespace FontPrefetch
