#include "gui/map/GraphvizLibrary.h"

#ifdef SCRIVLET_DOT_LAYOUT_LINKED
extern "C" gvplugin_library_t gvplugin_dot_layout_LTX_library;
#else
#include <QLibrary>

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

template <typename Call>
bool resolve(QLibrary &library, const char *name, Call &call)
{
    call = reinterpret_cast<Call>(library.resolve(name));
    return call != nullptr;
}

GraphvizLibrary load()
{
    // Kept loaded for the rest of the run: the layout context lives as long.
    QLibrary cgraph(QStringLiteral(SCRIVLET_CGRAPH_LIBRARY));
    QLibrary gvc(QStringLiteral(SCRIVLET_GVC_LIBRARY));
    GraphvizLibrary calls;
    const bool all = resolve(cgraph, "agseterr", calls.seterr) && resolve(cgraph, "agopen", calls.open) &&
                     resolve(cgraph, "agattr", calls.attr) && resolve(cgraph, "agnode", calls.node) &&
                     resolve(cgraph, "agedge", calls.edge) && resolve(cgraph, "agxset", calls.xset) &&
                     resolve(cgraph, "agclose", calls.close) && resolve(cgraph, "Agdirected", calls.directed) &&
                     resolve(gvc, "gvContextPlugins", calls.contextPlugins) &&
                     resolve(gvc, "gvAddLibrary", calls.addLibrary) && resolve(gvc, "gvLayout", calls.layout) &&
                     resolve(gvc, "gvFreeLayout", calls.freeLayout);
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
