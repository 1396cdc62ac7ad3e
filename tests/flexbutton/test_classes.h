#pragma once

#include <QTest>

// The control's test classes share one program, each run alone by its name:
// one link and one set of precompiled headers instead of one for each class.
namespace flexbutton_tests {

using RunClass = int (*)(int argc, char** argv);

// Called by FLEXBUTTON_TEST_CLASS before main.
bool add_class(const char* name, RunClass run);

}  // namespace flexbutton_tests

#define FLEXBUTTON_TEST_CLASS(Class)                                  \
  [[maybe_unused]] static const bool Class##_added =                  \
      flexbutton_tests::add_class(#Class, [](int argc, char** argv) { \
        Class test;                                                   \
        return QTest::qExec(&test, argc, argv);                       \
      });
