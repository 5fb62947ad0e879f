#pragma once

// Whether this Windows program runs under Wine, whose fonts and process start differ from
// Windows' own; false elsewhere.
bool runningUnderWine();
