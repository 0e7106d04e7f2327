// Build step: turns a PNG into a header holding its pixels as RGBA bytes, top row first, so
// that the game can give its window an icon without reading a file at start-up.
// Usage: tirva_embed_icon ICON.png OUT.h

#include <png.h>

#include <cstdio>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tirva_embed_icon ICON.png OUT.h\n");
        return 2;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, argv[1])) {
        std::fprintf(stderr, "tirva_embed_icon: %s: %s\n", argv[1], image.message);
        return 1;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (image.width != image.height ||
        !png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        std::fprintf(stderr, "tirva_embed_icon: %s: not a square picture that can be read\n",
                     argv[1]);
        png_image_free(&image);
        return 1;
    }
    std::ofstream out(argv[2]);
    out << "#pragma once\n"
           "// The window's icon, made by the build from packaging/tirva.svg: a square of\n"
           "// WINDOW_ICON_SIZE pixels as RGBA bytes, top row first.\n\n"
        << "constexpr int WINDOW_ICON_SIZE = " << image.width << "; // pixels on a side\n"
        << "constexpr unsigned char WINDOW_ICON_RGBA[] = {";
    for (std::size_t i = 0; i < pixels.size(); ++i)
        out << (i % 16 == 0 ? "\n    " : " ") << static_cast<int>(pixels[i]) << ",";
    out << "\n};\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "tirva_embed_icon: couldn't write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
