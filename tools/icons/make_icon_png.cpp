// make_icon_png: writes the program icon (a .ico file) as PNG files of the
// given sizes, for the desktop's icon theme. Relies on platform_decode and icon_png.
//   make_icon_png ICON.ico SIZE OUT.png [SIZE OUT.png ...]
// Folders of the outputs are created; each file is written whole or not at all.
#include "platform/image_decode.h"
#include "tools/icons/icon_png.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

const int largestSize = 1024;

// A size in pixels, 1 to largestSize, written in decimal digits only; 0 otherwise.
int ParseSize(const std::string& text) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  int size = std::atoi(text.c_str());
  return size <= largestSize ? size : 0;
}

bool ReadIcon(const char* path, RgbaImage* icon) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  DecodedImage decoded;
  if (!DecodeIco(bytes.data(), bytes.size(), &decoded)) return false;
  icon->width = decoded.width;
  icon->height = decoded.height;
  icon->pixels = std::move(decoded.rgba);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: make_icon_png ICON.ico SIZE OUT.png [SIZE OUT.png ...]\n");
    return 2;
  }
  std::vector<std::pair<int, std::filesystem::path>> outputs;
  for (int i = 2; i < argc; i += 2) {
    int size = ParseSize(argv[i]);
    if (size == 0) {
      std::fprintf(stderr, "make_icon_png: size \"%s\" is not a whole number from 1 to %d\n", argv[i], largestSize);
      return 2;
    }
    outputs.emplace_back(size, argv[i + 1]);
  }
  RgbaImage icon;
  if (!ReadIcon(argv[1], &icon)) {
    std::fprintf(stderr, "make_icon_png: %s is not a readable icon file\n", argv[1]);
    return 1;
  }
  for (const auto& [size, path] : outputs) {
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    std::filesystem::path partial = path;
    partial += ".part";
    bool written = !error && WritePngFile(partial.string(), ResampleImage(icon, size, size));
    if (written) {
      std::filesystem::rename(partial, path, error);
      written = !error;
    }
    if (!written) {
      std::filesystem::remove(partial, error);
      std::fprintf(stderr, "make_icon_png: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
