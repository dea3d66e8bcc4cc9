// korvanta-make-icons: writes the desktop's icons (program, document and macro) as hicolor
// PNGs, drawn by the program's own formulas so that no image ships as a binary.
#include "core/files/ImageWriters.h"
#include "core/scenes/IconPictures.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

bool WriteIcon(const std::filesystem::path& path, korvanta::DesktopIcon which, int size)
{
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::cerr << "korvanta-make-icons: cannot create " << path << '\n';
        return false;
    }
    std::string error;
    const bool written = korvanta::WritePngWithAlpha(file, korvanta::RenderDesktopIcon(which, size), error);
    if (std::fclose(file) != 0 || !written) {
        std::cerr << "korvanta-make-icons: cannot write " << path << ": " << error << '\n';
        std::filesystem::remove(path, ignored);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 6) {
        std::cerr << "Usage: korvanta-make-icons DIR PROGRAM-ICON DOCUMENT-ICON MACRO-ICON SIZE...\n"
                     "Writes DIR/SIZExSIZE/apps/PROGRAM-ICON.png and "
                     "DIR/SIZExSIZE/mimetypes/{DOCUMENT,MACRO}-ICON.png\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const std::string program = argv[2], document = argv[3], macro = argv[4];
    for (int i = 5; i < argc; ++i) {
        const std::string text = argv[i];
        int size = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error != std::errc() || end != text.data() + text.size() || size < 1 || size > 1024) {
            std::cerr << "korvanta-make-icons: bad size '" << text << "'\n";
            return 2;
        }
        const std::filesystem::path folder = dir / (text + 'x' + text);
        if (!WriteIcon(folder / "apps" / (program + ".png"), korvanta::DesktopIcon::Program, size) ||
            !WriteIcon(folder / "mimetypes" / (document + ".png"), korvanta::DesktopIcon::Document, size) ||
            !WriteIcon(folder / "mimetypes" / (macro + ".png"), korvanta::DesktopIcon::Macro, size))
            return 1;
    }
    return 0;
}
