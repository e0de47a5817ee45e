// What the "Home Page" label opens: the web address chosen at build time, or
// else the page that ships with the program, found from the program's folder.
#pragma once

#include <string>
#include <string_view>

namespace volleon::core {

// The address to open for a program whose file lies in programFolder (on
// Windows in UTF-8, on Linux as the file system names it): the build's web
// address when it has one; else the shipped page when it is there, as a
// file: URL on Linux and as the file's path in UTF-8 on Windows; else empty,
// and there is nothing to open.
std::string homePageAddress(const std::string& programFolder);

// The same choice for a given web address (empty for none) and a given
// place of the page, relative to the program's folder, '/' between folders.
std::string homePageAddress(std::string_view webAddress, std::string_view pagePlace,
                            const std::string& programFolder);

// The file: URL of an absolute path, every byte percent-encoded but the
// unreserved characters and '/'.
std::string fileUrl(std::string_view absolutePath);

}  // namespace volleon::core
