// Text from the core (UTF-8) to Qt.
#pragma once

#include <QString>
#include <string_view>

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
