# The about box's Qt dialog, added to the binding by qt_binding.cmake.
target_sources(keyloom_qt PRIVATE ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp)
