// The engine's Windows-1252 texts as Qt strings and back.
#pragma once

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

}  // namespace acv
