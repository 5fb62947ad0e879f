#pragma once

#include <graphviz/gvc.h>

// Graphviz's calls that the map's layout makes. Where Graphviz is a shared library, they
// come from it as loaded the first time a map is laid out: only the map needs them, and
// loading them (with what they need in turn) at start-up made every start slower.
struct GraphvizLibrary {
    decltype(&::agseterr) seterr = nullptr;
    decltype(&::agopen) open = nullptr;
    decltype(&::agattr) attr = nullptr;
    decltype(&::agnode) node = nullptr;
    decltype(&::agedge) edge = nullptr;
    decltype(&::agxset) xset = nullptr;
    decltype(&::agclose) close = nullptr;
    Agdesc_t *directed = nullptr;
    decltype(&::gvContextPlugins) contextPlugins = nullptr;
    decltype(&::gvAddLibrary) addLibrary = nullptr;
    decltype(&::gvLayout) layout = nullptr;
    decltype(&::gvFreeLayout) freeLayout = nullptr;
    gvplugin_library_t *dotLayout = nullptr; // null when it cannot be had: no layout then

    // The calls, or null when a library or a call is missing (the map then falls back to
    // its plain layout).
    static const GraphvizLibrary *loaded();
};
