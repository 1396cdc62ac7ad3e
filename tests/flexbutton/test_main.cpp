#include <QApplication>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "test_classes.h"

namespace flexbutton_tests {
namespace {

std::map<std::string, RunClass>& classes() {
  static std::map<std::string, RunClass> all;
  return all;
}

}  // namespace

bool add_class(const char* name, RunClass run) {
  return classes().emplace(name, run).second;
}

}  // namespace flexbutton_tests

// flexbutton_tests CLASS [QTest options]: as QTEST_MAIN would run that class.
int main(int argc, char** argv) {
  const auto& classes = flexbutton_tests::classes();
  const auto found = argc < 2 ? classes.end() : classes.find(argv[1]);
  if (found == classes.end()) {
    std::fprintf(stderr, "usage: %s CLASS [QTest options]; the classes:\n", argv[0]);
    for (const auto& [name, run] : classes) std::fprintf(stderr, "  %s\n", name.c_str());
    return 2;
  }
  // The class's name takes the program's place: QTest reads the rest as its options.
  argv[1] = argv[0];
  --argc;
  ++argv;
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  return found->second(argc, argv);
}
