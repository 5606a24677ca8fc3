// The engine's Windows-1252 texts as Qt strings and back, and file names in the file system's
// encoding as Qt shows them and back.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "engine/cp1252.h"

namespace acv {

inline QString toQt(std::string_view cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

inline std::string fromQt(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}

inline QString fileNameToQt(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

inline std::string fileNameFromQt(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

}  // namespace acv
