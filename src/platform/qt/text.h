// The model's strings are UTF-8; Qt's are UTF-16.
#pragma once

#include <QString>
#include <string>

namespace vz {

inline QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQt(const QString& text) {
    return text.toStdString();
}

}  // namespace vz
