// mime_type_of FILE...: the MIME type Qt's database gives each file, one a
// line. Qt reads the shared MIME database itself, not through GIO, so the
// window and Qt-based file managers may decide differently.

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QMimeDatabase types;
  QTextStream out(stdout);
  for (const QString& file : QCoreApplication::arguments().mid(1))
    out << types.mimeTypeForFile(file).name() << '\n';
  return 0;
}
