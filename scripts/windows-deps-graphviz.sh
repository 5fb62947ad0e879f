# Sourced by windows-deps.sh: Graphviz's layout libraries for MinGW-w64, built by our own
# CMake file in windows-deps/graphviz/ from Debian's source package.
build_graphviz() {
    local prefix=$1 orig=$WORK/src/graphviz gen=$PWD/generated
    unpack "$WORK/src/graphviz_$GRAPHVIZ_VERSION.dsc" "$orig"
    # A copy, since the Windows declarations are changed: the libraries are linked in
    # statically, so nothing is imported from or exported to a DLL.
    mkdir -p src "$gen"
    cp -a "$orig/lib" "$orig/plugin" "$orig/cmake" "$orig/awk" "$orig/config-cmake.h.in" \
        "$orig/graphviz_version.h.cmake" "$orig/compat.h" "$ROOT/scripts/windows-deps/graphviz/." src/
    grep -rlZ '__declspec(dll' src/lib src/plugin |
        xargs -0 sed -i 's/__declspec(dllimport)/extern/; s/__declspec(dllexport)/extern/'
    # The parsers and tables Graphviz's makefiles generate.
    local l=$PWD/src/lib
    (cd "$gen" &&
        bison -y -dv "$l/cgraph/grammar.y" &&
        sed 's/yy/aag/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.c > grammar.c &&
        sed 's/yy/aag/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.h > grammar.h &&
        flex -i "$l/cgraph/scan.l" &&
        sed 's/yy/aag/g' lex.yy.c | sed '/extern.*isatty/d' > scan.c &&
        bison -y -dv "$l/common/htmlparse.y" &&
        sed 's/yy/html/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.c > htmlparse.c &&
        sed 's/yy/html/g; s/unsigned long int/uint64_t/g; s/unsigned long/uint64_t/g' y.tab.h > htmlparse.h &&
        awk -f ../src/awk/brewer.awk "$l/common/brewer_colors" > brewer_lib &&
        awk -f ../src/awk/svgcolor.awk "$l/common/svgcolor_names" > svgcolor_lib &&
        cat brewer_lib svgcolor_lib "$l/common/color_names" | LC_ALL=C sort > color_lib &&
        awk -f ../src/awk/colortbl.awk color_lib > colortbl.h &&
        cp "$l/common/ps_fontmap.txt" ps_font_equiv.h &&
        (cd "$l/common" && perl ./mksvgfonts.pl fontmap.cfg ps_font_equiv.txt) | LC_ALL=C sort >> ps_font_equiv.h &&
        awk -f ../src/awk/stringize.awk "$PWD/../src/plugin/core/ps.txt" > ps.h)
    nice -n 19 cmake -S src -B build -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DGENERATED="$gen" -DGRAPHVIZ_VERSION="${GRAPHVIZ_VERSION%%-*}"
    nice -n 19 cmake --build build -j "$JOBS" -- -k 0
    cmake --install build
}
