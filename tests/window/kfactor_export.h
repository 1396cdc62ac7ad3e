#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A K-factor protein file with two samples, as the instrument writes it.
inline QString write_kfactor_export(const QTemporaryDir& dir, const QString& name) {
  const char* lines[] = {"2",     "0",      "2",   "SERUM-B", "3",     "2",     "3", "0",
                         "1",     "1",      "750", "0.05",    "2.5",   "2",     "1", "0.321",
                         "0.321", "0.8525", "2",   "0.467",   "0.467", "1.2175"};
  QString path = dir.filePath(name);
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  for (const char* line : lines) f.write(QByteArray(line) + "\r\n");
  return path;
}
