#include "gui/map/GraphvizLibrary.h"

#ifdef SCRIVLET_DOT_LAYOUT_LINKED
extern "C" gvplugin_library_t gvplugin_dot_layout_LTX_library;
#else
#include "common/LibraryCall.h"

#include <dlfcn.h>
#endif

namespace
{

#ifdef SCRIVLET_DOT_LAYOUT_LINKED

GraphvizLibrary load()
{
    return {&agseterr, &agopen,           &agattr,       &agnode,   &agedge,
            &agxset,   &agclose,          &Agdirected,   &gvContextPlugins,
            &gvAddLibrary, &gvLayout,     &gvFreeLayout, &gvplugin_dot_layout_LTX_library};
}

#else

GraphvizLibrary load()
{
    // Kept loaded for the rest of the run: the layout context lives as long.
    QLibrary cgraph(QStringLiteral(SCRIVLET_CGRAPH_LIBRARY));
    QLibrary gvc(QStringLiteral(SCRIVLET_GVC_LIBRARY));
    GraphvizLibrary calls;
    const bool all =
        resolveCall(cgraph, "agseterr", calls.seterr) && resolveCall(cgraph, "agopen", calls.open) &&
        resolveCall(cgraph, "agattr", calls.attr) && resolveCall(cgraph, "agnode", calls.node) &&
        resolveCall(cgraph, "agedge", calls.edge) && resolveCall(cgraph, "agxset", calls.xset) &&
        resolveCall(cgraph, "agclose", calls.close) && resolveCall(cgraph, "Agdirected", calls.directed) &&
        resolveCall(gvc, "gvContextPlugins", calls.contextPlugins) &&
        resolveCall(gvc, "gvAddLibrary", calls.addLibrary) && resolveCall(gvc, "gvLayout", calls.layout) &&
        resolveCall(gvc, "gvFreeLayout", calls.freeLayout);
    if (!all)
        return {};
    // The dot layout is opened by its path rather than looked for through Graphviz's
    // plugin configuration, which a machine may lack.
    if (void *plugin = dlopen(SCRIVLET_DOT_LAYOUT, RTLD_NOW | RTLD_LOCAL))
        calls.dotLayout = static_cast<gvplugin_library_t *>(dlsym(plugin, "gvplugin_dot_layout_LTX_library"));
    return calls;
}

#endif

} // namespace

const GraphvizLibrary *GraphvizLibrary::loaded()
{
    static const GraphvizLibrary calls = load();
    return calls.layout ? &calls : nullptr;
}
