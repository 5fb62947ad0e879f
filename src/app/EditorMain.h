#pragma once

#include <functional>

struct ScrivletWindows;

// The editor's whole run: the application, its language, the windows, the event loop.
// `shown` runs once the main window is on the screen, before the loop starts.
int editorMain(int argc, char *argv[], const std::function<void(ScrivletWindows &)> &shown = {});
