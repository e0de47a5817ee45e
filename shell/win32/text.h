// Text of the designs and the rules (UTF-8) for the wide-character Windows
// functions, and their text (UTF-16) for the shared code.
#pragma once

#include <string>
#include <string_view>

namespace volleon::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace volleon::win32
