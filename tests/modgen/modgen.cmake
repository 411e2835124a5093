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
