# Generated files are compared whole against tests/modgen/expected/. To rewrite the expected files from
# the current output (then review every changed line before committing them):
#   SKYLATHE_UPDATE_EXPECTED=1 ctest --test-dir build-… -R test_modgen
skylathe_add_test(test_modgen SOURCES test_modgen.cpp support/ModgenFixture.h LIBS skylathe_modgen)
skylathe_add_test(test_gasform SOURCES test_gasform.cpp support/ModgenFixture.h LIBS skylathe_testsupport)
if(TARGET skylathe_package_tree)
    add_dependencies(test_modgen skylathe_package_tree)
endif()
if(TARGET skylathe-cli)
    add_dependencies(test_modgen skylathe-cli)
endif()
skylathe_add_test(test_mod_icons SOURCES test_mod_icons.cpp support/ModgenFixture.h LIBS skylathe_modgen)
skylathe_add_test(test_generate_command SOURCES test_generate_command.cpp support/ModgenFixture.h
                  LIBS skylathe_appcore)
target_compile_definitions(test_generate_command PRIVATE SKYLATHE_CLI="$<TARGET_FILE:skylathe-cli>")
add_dependencies(test_generate_command skylathe-cli)
if(TARGET skylathe_package_tree)
    add_dependencies(test_mod_icons skylathe_package_tree)
endif()
# A copy of sleep named Velmora.exe stands for the running game; tests that look at the real process
# list must not see each other's stand-in.
set_tests_properties(test_generate_command PROPERTIES RESOURCE_LOCK velmora_process)
if(TEST test_shell_process)
    set_tests_properties(test_shell_process PROPERTIES RESOURCE_LOCK velmora_process)
endif()
