# The about box on the offscreen platform.
keyloom_widget_test(keyloom_about_dialog_test about_dialog_test.cpp)
