#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string>

// A fresh working folder holding copies of the shipped data files; the process works
// in it while the object lives.
class WorkFolder {
 public:
  WorkFolder() : previous_(QDir::currentPath()) {
    for (const char* name : {"new.dat", "xxx.dat", "light.dat", "Type.dat", "HELP.HLP"}) {
      QFile::copy(QStringLiteral(KANDELOR_DATA_DIR "/") + name, dir_.filePath(name));
    }
    QDir::setCurrent(dir_.path());
  }
  ~WorkFolder() { QDir::setCurrent(previous_); }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }

  QByteArray read(const char* name) const {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  void write(const char* name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
  }

  void remove(const char* name) const { QFile::remove(dir_.filePath(name)); }
  bool exists(const char* name) const { return QFile::exists(dir_.filePath(name)); }

 private:
  QString previous_;
  QTemporaryDir dir_;
};
