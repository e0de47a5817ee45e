// Text of the designs and the rules (UTF-8) for the wide-character Windows
// functions.
#pragma once

#include <string>
#include <string_view>

namespace volleon::win32 {

std::wstring widen(std::string_view utf8);

}  // namespace volleon::win32
