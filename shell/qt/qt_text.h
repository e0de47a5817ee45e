// Text of the designs and the rules (UTF-8) as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace volleon::qt {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace volleon::qt
