#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

// A fresh working folder holding copies of the shipped data files; the process works
// in it while the object lives.
class WorkFolder {
 public:
  WorkFolder() : previous_(QDir::currentPath()) {
    for (const char* name : {"new.dat", "xxx.dat", "light.dat", "Type.dat", "HELP.HLP"}) {
      std::error_code ignored;
      std::filesystem::copy_file(std::filesystem::path(KANDELOR_DATA_DIR) / name, path(name),
                                 ignored);
    }
    QDir::setCurrent(QString::fromStdString(dir_.path().string()));
  }
  ~WorkFolder() { QDir::setCurrent(previous_); }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  std::string path(const char* name) const { return dir_.file(name); }

  QByteArray read(const char* name) const {
    return QByteArray::fromStdString(kandelor::testing::readFile(path(name)));
  }

  void write(const char* name, const QByteArray& bytes) const {
    kandelor::testing::writeFile(path(name), bytes.toStdString());
  }

  void remove(const char* name) const {
    std::error_code ignored;
    std::filesystem::remove(path(name), ignored);
  }
  bool exists(const char* name) const { return std::filesystem::exists(path(name)); }

 private:
  QString previous_;
  kandelor::testing::TempFolder dir_;
};
