find_package(Qt6 REQUIRED COMPONENTS Widgets)

# The Qt binding: shows the controls' state and turns Qt's events into the
# handlers' calls.
add_library(keyloom_qt STATIC
    qt/colours.cpp
    qt/fonts.cpp
    qt/key_codes.cpp
    qt/main_window.cpp
    qt/pane_widget.cpp
    qt/qt_text_measure.cpp
    qt/typing_box.cpp)
target_link_libraries(keyloom_qt PUBLIC keyloom_core Qt6::Widgets)
include(qt/about.cmake OPTIONAL)
