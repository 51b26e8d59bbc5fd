# SPDX-FileCopyrightText: 2026 Keyloom developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The program is built in layers, each a library of its own:
#
#   keyloom_text      text/      UTF-8 and UTF-16, the lesson decoders
#   keyloom_codes     codes/     code tables, the ideal split   (text)
#   keyloom_data      data/      where the generated sets and code tables are installed
#   keyloom_forms     forms/     the form model and the window descriptions
#   keyloom_practice  practice/  the main window's handlers     (forms, text)
#   keyloom_about     about/     the about box's logic          (text)
#   keyloom_course    course/    the library, segments, the judgement (practice, text)
#   keyloom_journal   journal/   the practice journal's files, the weakness score
#                                (practice, text)
#   keyloom_ui        ui/        the typing box's rules, the scene, the handler guard
#                                (practice, forms, text)
#   keyloom_qt        ui/qt/     the Qt binding                 (ui, practice, about)
#   keyloom_win32     ui/win32/  the Win32 binding   (ui, course, practice, about, text)
#
# No target sees the source root. Each library exposes its own folder's
# headers under an include root of its own, and a target sees only the roots
# of what it links, so an include of a layer it does not link fails to build.

# Exposes the headers directly inside each FOLDER (relative to the source
# root) to `target` and its dependents, as "FOLDER/name.h".
function(keyloom_expose_headers target)
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    file(REMOVE_RECURSE ${root})
    foreach(folder IN LISTS ARGN)
        file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
             ${PROJECT_SOURCE_DIR}/${folder}/*.h)
        file(MAKE_DIRECTORY ${root}/${folder})
        foreach(header IN LISTS headers)
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
        endforeach()
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()

# clang-tidy looks for its settings from each source up: the sources Qt's
# moc generates in the build tree get a check that never fires on them.
file(WRITE ${PROJECT_BINARY_DIR}/.clang-tidy "Checks: '-*,bugprone-use-after-move'\n")
