#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace Chromell {

// QString and the engine's strings are both UTF-16; these copy the code units as they are.
inline std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// A name from the layouts (plain ASCII) as an object name.
inline QString ToQString(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace Chromell
