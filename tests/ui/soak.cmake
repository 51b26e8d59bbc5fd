# 200,000 random events through the real typing box on the offscreen
# platform; its leaks show under the asan preset's LeakSanitizer.
add_executable(keyloom_soak_test soak_test.cpp ${PROJECT_SOURCE_DIR}/fuzz/practice_invariants.cpp)
target_link_libraries(keyloom_soak_test PRIVATE keyloom_qt Qt6::Test)
set_target_properties(keyloom_soak_test PROPERTIES AUTOMOC ON)
add_test(NAME keyloom_soak_test COMMAND keyloom_soak_test)
set_tests_properties(keyloom_soak_test PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    LABELS soak
    TIMEOUT 600)
