// ordelix [FILE]: the desktop window, with FILE already chosen if given.

#include <QApplication>
#include <QStringList>

#include "main_window.h"
#include "window_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ordelix::QtWindowDialogs dialogs;
  ordelix::MainWindow window(dialogs);
  if (QStringList args = QApplication::arguments(); args.size() > 1) window.select(args.at(1));
  window.show();
  return app.exec();
}
