#include "game_fonts.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

namespace volleon::qt {

namespace {

// Where distributions put the family's files, below a font folder.
constexpr std::array<std::string_view, 7> kPlaces{
    "truetype/liberation",   // Debian's fonts-liberation
    "truetype/liberation2",  // Debian's fonts-liberation2
    "liberation-sans",       // Fedora
    "liberation",            // Arch
    "TTF",
    "truetype",              // openSUSE
    "",
};
constexpr std::array<std::string_view, 2> kFaces{"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"};

// Drops the font folders that the system's and the user's configuration
// files list; their rules stay.
constexpr const char* kNoFontFolders = "<fontconfig><reset-dirs/></fontconfig>";

struct ConfigRelease {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
using Config = std::unique_ptr<FcConfig, ConfigRelease>;

std::vector<std::string> fontFolders(FcConfig* config) {
    std::vector<std::string> folders;
    FcStrList* list = FcConfigGetFontDirs(config);
    if (list == nullptr) {
        return folders;
    }
    while (const FcChar8* folder = FcStrListNext(list)) {
        folders.emplace_back(reinterpret_cast<const char*>(folder));
    }
    FcStrListDone(list);
    return folders;
}

}  // namespace

std::vector<std::string> gameFontFiles(const std::vector<std::string>& fontFolders) {
    for (const std::string& folder : fontFolders) {
        for (const std::string_view place : kPlaces) {
            const std::filesystem::path where = std::filesystem::path(folder) / place;
            std::vector<std::string> files;
            for (const std::string_view face : kFaces) {
                std::error_code error;
                const std::filesystem::path file = where / face;
                if (std::filesystem::is_regular_file(file, error)) {
                    files.push_back(file.string());
                }
            }
            if (files.size() == kFaces.size()) {
                return files;
            }
        }
    }
    return {};
}

namespace {

bool makeGameFontsCurrent() {
    // The configuration files as the desktop has them, without the fonts.
    const Config config(FcInitLoadConfig());
    if (!config) {
        return false;
    }
    const std::vector<std::string> files = gameFontFiles(fontFolders(config.get()));
    if (files.empty() ||
        FcConfigParseAndLoadFromMemory(config.get(), reinterpret_cast<const FcChar8*>(kNoFontFolders), FcFalse) ==
            FcFalse) {
        return false;
    }
    for (const std::string& file : files) {
        if (FcConfigAppFontAddFile(config.get(), reinterpret_cast<const FcChar8*>(file.c_str())) == FcFalse) {
            return false;
        }
    }
    // The current configuration holds a reference of its own.
    return FcConfigSetCurrent(config.get()) == FcTrue;
}

}  // namespace

GameFonts::GameFonts() : madeCurrent_(makeGameFontsCurrent()) {}

GameFonts::~GameFonts() {
    if (madeCurrent_) {
        // Drops the current configuration's reference, if it still has one,
        // without making a configuration of the desktop's in its place.
        FcConfigSetCurrent(nullptr);
    }
}

}  // namespace volleon::qt
