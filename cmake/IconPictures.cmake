# The icons of a resource file as PNG pictures of a few sizes, put into a resource file of
# their own: drawing SVG files took a visible part of every start. They are drawn by
# scripts/render-icons.cpp, built here where Qt has its SVG module, or given as
# SCRIVLET_ICON_RENDERER (built for the machine that builds, as a cross build needs).
set(SCRIVLET_ICON_RENDERER "" CACHE FILEPATH "The host program that draws SVG icons as PNG pictures")
if(NOT SCRIVLET_ICON_RENDERER AND TARGET Qt6::Svg AND NOT CMAKE_CROSSCOMPILING)
  add_executable(scrivlet_render_icons scripts/render-icons.cpp)
  target_link_libraries(scrivlet_render_icons PRIVATE Qt6::Svg Qt6::Gui)
  # A tool of the build: no sanitizer to stop the build over what it leaves at its end.
  set_property(TARGET scrivlet_render_icons PROPERTY COMPILE_OPTIONS -O1)
  set_property(TARGET scrivlet_render_icons PROPERTY LINK_OPTIONS "")
  set(icon_renderer $<TARGET_FILE:scrivlet_render_icons>)
  set(icon_renderer_target scrivlet_render_icons)
else()
  set(icon_renderer ${SCRIVLET_ICON_RENDERER})
  set(icon_renderer_target ${SCRIVLET_ICON_RENDERER})
endif()
# 256: the about box's picture.
set(SCRIVLET_ICON_SIZES 16 24 32 48 64 128 256)
# The sizes that menus and toolbars draw by the dozen: one sheet of raw pixels each, read
# at once, where a PNG file per icon took a visible part of the first paint.
set(SCRIVLET_ICON_SHEET_SIZES 16 24 32)
# What the first paint reads, put into a resource of its own so that it lies together in
# the program file: the kernel maps read-only data in blocks of 64 KB around each page
# read, and among the other pictures these few cost a block each. The smallest sheet, and
# the format check box's pictures: drawn from the 48-pixel ones, shaped by the largest.
list(GET SCRIVLET_ICON_SHEET_SIZES 0 smallest_sheet)
set(SCRIVLET_FIRST_PAINT_PICTURES icon-sheets/${smallest_sheet}.sheet
                                  icons/Check_Vesta_off-48.png icons/Check_Vesta_on-48.png
                                  icons/Check_Vesta_off-256.png icons/Check_Vesta_on-256.png)

# The resource entry of a picture of the pictures' folder under its alias, added to `entries`,
# or to `first_entries` if the first paint reads it.
macro(scrivlet_picture_entry alias file options)
  set(entry "  <file alias=\"${alias}\"${options}>${file}</file>\n")
  if("${alias}" IN_LIST SCRIVLET_FIRST_PAINT_PICTURES)
    string(APPEND first_entries "${entry}")
  else()
    string(APPEND entries "${entry}")
  endif()
endmacro()

function(scrivlet_write_qrc path entries)
  file(WRITE ${path}.in "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n${entries}</qresource>\n</RCC>\n")
  configure_file(${path}.in ${path} COPYONLY)
endfunction()

function(scrivlet_icon_pictures target qrc)
  if(NOT TARGET scrivlet_render_icons AND NOT EXISTS "${SCRIVLET_ICON_RENDERER}")
    message(FATAL_ERROR "Qt has no SVG module here, so the icons are drawn beforehand: build "
                        "scripts/render-icons.cpp for this machine and give it as "
                        "-DSCRIVLET_ICON_RENDERER=<path> (scripts/windows.sh does both)")
  endif()
  file(STRINGS ${CMAKE_SOURCE_DIR}/${qrc} lines REGEX "<file>.*\\.svg</file>")
  get_filename_component(qrc_dir ${CMAKE_SOURCE_DIR}/${qrc} DIRECTORY)
  set(out ${CMAKE_BINARY_DIR}/icon-pictures)
  set(png_sizes ${SCRIVLET_ICON_SIZES})
  list(REMOVE_ITEM png_sizes ${SCRIVLET_ICON_SHEET_SIZES})
  string(REPLACE ";" "," sizes "${SCRIVLET_ICON_SIZES}")
  string(REPLACE ";" "," sheet_sizes "${SCRIVLET_ICON_SHEET_SIZES}")
  string(REPLACE ";" "," png_size_list "${png_sizes}")
  set(svgs)
  set(pictures)
  set(entries)
  set(first_entries)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*<file>(.*)\\.svg</file>.*" "\\1" name ${line})
    list(APPEND svgs ${qrc_dir}/${name}.svg)
    get_filename_component(base ${name} NAME)
    get_filename_component(folder ${name} DIRECTORY)
    foreach(size IN LISTS png_sizes)
      list(APPEND pictures ${out}/${base}-${size}.png)
      scrivlet_picture_entry(${folder}/${base}-${size}.png ${base}-${size}.png "")
    endforeach()
  endforeach()
  set(commands COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                       ${icon_renderer} ${out} ${png_size_list} ${svgs})
  foreach(size IN LISTS SCRIVLET_ICON_SHEET_SIZES)
    list(APPEND pictures ${out}/icons-${size}.sheet)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                         ${icon_renderer} ${out}/icons-${size}.sheet ${size} ${svgs})
    # Stored as they are, so that reading one copies nothing.
    scrivlet_picture_entry(icon-sheets/${size}.sheet icons-${size}.sheet " compression-algorithm=\"none\"")
  endforeach()
  add_custom_command(OUTPUT ${pictures}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
                     ${commands}
                     DEPENDS ${svgs} ${CMAKE_SOURCE_DIR}/${qrc} ${icon_renderer_target}
                     COMMENT "Drawing the icons as pictures" VERBATIM)
  scrivlet_write_qrc(${out}/icon_pictures.qrc "${entries}")
  scrivlet_write_qrc(${out}/first_pictures.qrc "${first_entries}")
  set_source_files_properties(${out}/icon_pictures.qrc ${out}/first_pictures.qrc
                              PROPERTIES OBJECT_DEPENDS "${pictures}")
  add_custom_target(${target}_icon_pictures DEPENDS ${pictures})
  add_dependencies(${target} ${target}_icon_pictures)
  target_sources(${target} PRIVATE ${out}/icon_pictures.qrc ${out}/first_pictures.qrc)
  target_compile_definitions(${target} PUBLIC SCRIVLET_ICON_SIZES="${sizes}"
                                              SCRIVLET_ICON_SHEET_SIZES="${sheet_sizes}")
endfunction()

# The program's own icon, shown by Windows for the program and its files.
function(scrivlet_windows_icon target svg)
  set(ico ${CMAKE_BINARY_DIR}/icon-pictures/scrivlet.ico)
  add_custom_command(OUTPUT ${ico}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon-pictures
                     COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                             ${SCRIVLET_ICON_RENDERER} ${ico} 16,24,32,48,64,256 ${CMAKE_SOURCE_DIR}/${svg}
                     DEPENDS ${CMAKE_SOURCE_DIR}/${svg} VERBATIM)
  file(WRITE ${CMAKE_BINARY_DIR}/icon-pictures/scrivlet.rc "1 ICON \"scrivlet.ico\"\n")
  set_source_files_properties(${CMAKE_BINARY_DIR}/icon-pictures/scrivlet.rc PROPERTIES OBJECT_DEPENDS ${ico})
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/icon-pictures/scrivlet.rc)
endfunction()
