#include "home_page.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <system_error>
#endif

namespace volleon::core {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string homePageAddress(const std::string& programFolder) {
    return homePageAddress(VOLLEON_HOME_PAGE_URL, VOLLEON_HOME_PAGE_PLACE, programFolder);
}

std::string homePageAddress(std::string_view webAddress, std::string_view pagePlace,
                            const std::string& programFolder) {
    if (!webAddress.empty()) {
        return std::string(webAddress);
    }
    std::string page = programFolder + '/' + std::string(pagePlace);
#ifdef _WIN32
    // The path goes to the shell as it is, in UTF-8. The page is looked for
    // by its UTF-16 name, as the shell will open it: a narrow name would
    // stand in the system's code page, which may not spell the folder.
    std::replace(page.begin(), page.end(), '/', '\\');
    const std::filesystem::path path(std::u8string(page.begin(), page.end()));
    return std::ifstream(path).is_open() ? page : std::string();
#else
    std::error_code error;
    const std::filesystem::path found = std::filesystem::canonical(page, error);
    if (error || !std::filesystem::is_regular_file(found, error) || !std::ifstream(found).is_open()) {
        return {};
    }
    return fileUrl(found.native());
#endif
}

std::string fileUrl(std::string_view absolutePath) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char byte : absolutePath) {
        const auto c = static_cast<unsigned char>(byte);
        if (isUnreserved(c) || c == '/') {
            url += byte;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url;
}

}  // namespace volleon::core
