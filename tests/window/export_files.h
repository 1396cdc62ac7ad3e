#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <initializer_list>

#include <gtest/gtest.h>

// Writes a file whole, its folders first.
inline QString write_file(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  EXPECT_EQ(f.write(bytes), bytes.size());
  return path;
}

// A file's bytes; none when it cannot be read.
inline QByteArray read_file(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lines as the instrument ends them.
inline QString write_lines(const QString& path, std::initializer_list<const char*> lines) {
  QByteArray bytes;
  for (const char* line : lines) bytes += QByteArray(line) + "\r\n";
  return write_file(path, bytes);
}

// A K-factor protein file with two samples, as the instrument writes it.
inline QString write_kfactor_export(const QString& path) {
  return write_lines(path, {"2",     "0",      "2",   "SERUM-B", "3",     "2",     "3", "0",
                            "1",     "1",      "750", "0.05",    "2.5",   "2",     "1", "0.321",
                            "0.321", "0.8525", "2",   "0.467",   "0.467", "1.2175"});
}

inline QString write_kfactor_export(const QTemporaryDir& dir, const QString& name) {
  return write_kfactor_export(dir.filePath(name));
}

// Kinetics every 10 s (interval code 3), five values: 0.1000 0.1500 0.2100 0.2800 0.3600.
inline QString write_kinetics_export(const QString& path) {
  return write_lines(path, {"4", "0", "1", "LIPASE-3", "7.5", "2", "2.0", "0.0", "40", "340", "3",
                            "1", "5", "0.1000", "0.1500", "0.2100", "0.2800", "0.3600"});
}

// A melting curve from 40 to 42 degrees by 0.5, five values: 0.4012 0.4100
// 0.4350 0.4800 0.5200.
inline QString write_melting_export(const QString& path) {
  return write_lines(
      path,
      {"6", "0",   "1", "PROBE-2", "4", "1", "1.500",  "0.000",  "40",     "42",     "0",
       "0", "0.5", "0", "1.000",   "0", "5", "0.4012", "0.4100", "0.4350", "0.4800", "0.5200"});
}
