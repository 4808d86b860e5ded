// Writes the resources of ZentNetLib.dll for the resource compiler:
//   gen_resources [--strings-only] OUTDIR
// leaves in OUTDIR resources.rc (the string table, one WAVE and one ICON line per file, and
// the version numbers as macros for the VERSIONINFO block of ZentNetLib.rc), the .wav files
// and the .ico files it names. With --strings-only, the string table alone: the tests build
// one from their own table of awkward characters to prove the round trip.
//
// It is built for and run on the build machine, from the core's own sources: the string table
// from the same generated initialisers the library compiles, read by the library's UTF-8
// decoder; the sounds by the library's own LoadResSound; the numbers from version.h. The DLL
// therefore carries exactly the bytes the core hands out, and nothing is typed twice.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zentnet/automation/codepage.h"
#include "zentnet/resources/sounds.h"
#include "zentnet/resources/version.h"
#include "string_table.h"

namespace {

using namespace std::string_view_literals;

using zentnet::string_table::Entry;
using zentnet::string_table::kTable;

// ---- Strings ------------------------------------------------------------------------------

// UTF-8 to UTF-16 code units; a malformed sequence stops the build rather than reaching the
// DLL as replacement characters.
std::u16string Utf16(std::string_view text, int32_t id) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    if (!zentnet::DecodeUtf8(text, i, cp))
      throw std::runtime_error("string " + std::to_string(id) + ": malformed UTF-8");
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

// A wide literal the resource compiler reads back unit for unit whatever its code page: plain
// printable ASCII as it stands, everything else as a four-digit \x escape (it reads at most
// four digits, so a following hex digit stays a character of its own). A "?" after a "?" is
// escaped too, so that no preprocessor can see a trigraph.
std::string WideLiteral(const std::u16string& units) {
  std::string out = "L\"";
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u == u'"') {
      out += "\"\"";
    } else if (u == u'\\') {
      out += "\\\\";
    } else if (u >= 0x20 && u < 0x7F && !(u == u'?' && i > 0 && units[i - 1] == u'?')) {
      out += static_cast<char>(u);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%04X", static_cast<unsigned>(u));
      out += hex;
    }
  }
  return out + "\"";
}

void WriteStrings(std::ostream& rc) {
  rc << "STRINGTABLE LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nBEGIN\n";
  for (const Entry& e : kTable)
    rc << "  " << e.id << ", " << WideLiteral(Utf16(e.text, e.id)) << "\n";
  rc << "END\n\n";
}

// ---- Files --------------------------------------------------------------------------------

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// The resource compiler takes a file name as a narrow literal with C escapes.
std::string PathLiteral(const std::string& path) {
  std::string out = "\"";
  for (char c : path) out += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
  return out + "\"";
}

void WriteSounds(std::ostream& rc, const std::string& dir) {
  for (int32_t id : zentnet::ResSoundIds()) {
    const auto sound = zentnet::LoadResSound(id);
    const std::string path = dir + "/sound_" + std::to_string(id) + ".wav";
    WriteFile(path, {sound.begin(), sound.end()});
    rc << id << " WAVE " << PathLiteral(path) << "\n";
  }
  rc << "\n";
}

// ---- Icons --------------------------------------------------------------------------------

// Our drawings: flat shapes on a unit square (0,0 top left), so one drawing serves every
// size. Each shape is painted over the ones before it.
struct Shape {
  enum Kind { kDisc, kRing, kBar } kind;
  double a, b, c, d;  // disc/ring: centre x, y, outer and inner radius; bar: x0, y0, x1, y1
  double width;       // bar: thickness (round ends)
  uint32_t argb;
};

struct Icon {
  int group;
  std::vector<int> sizes;
  std::vector<Shape> shapes;
};

constexpr uint32_t kBlue = 0xFF2D6CC0, kDarkBlue = 0xFF173A6B, kWhite = 0xFFFFFFFF,
                   kGreen = 0xFF2E9E48, kGrey = 0xFF8C8C8C, kRed = 0xFFD03030;

// The library, the drive on line and off line, a shutdown, the network.
const std::vector<Icon>& Icons() {
  static const std::vector<Icon> icons = {
      {1,
       {32, 16},
       {{Shape::kDisc, .5, .5, .47, 0, 0, kBlue},
        {Shape::kRing, .5, .5, .32, .2, 0, kWhite},
        {Shape::kDisc, .5, .5, .1, 0, 0, kDarkBlue}}},
      {2,
       {32, 16},
       {{Shape::kDisc, .5, .5, .47, 0, 0, kGreen},
        {Shape::kBar, .28, .52, .44, .68, .14, kWhite},
        {Shape::kBar, .44, .68, .74, .34, .14, kWhite}}},
      {3,
       {32},
       {{Shape::kDisc, .5, .5, .47, 0, 0, kGrey}, {Shape::kBar, .25, .25, .75, .75, .14, kRed}}},
      {4,
       {32},
       {{Shape::kDisc, .5, .5, .47, 0, 0, kRed}, {Shape::kBar, .25, .5, .75, .5, .2, kWhite}}},
      {5,
       {32},
       {{Shape::kBar, .5, .2, .2, .8, .08, kDarkBlue},
        {Shape::kBar, .5, .2, .8, .8, .08, kDarkBlue},
        {Shape::kDisc, .5, .2, .16, 0, 0, kBlue},
        {Shape::kDisc, .2, .8, .16, 0, 0, kBlue},
        {Shape::kDisc, .8, .8, .16, 0, 0, kBlue}}},
  };
  return icons;
}

bool Covers(const Shape& s, double x, double y) {
  switch (s.kind) {
    case Shape::kDisc:
    case Shape::kRing: {
      const double r = std::hypot(x - s.a, y - s.b);
      return r <= s.c && r >= s.d;
    }
    case Shape::kBar: {
      const double dx = s.c - s.a, dy = s.d - s.b;
      const double t =
          std::clamp(((x - s.a) * dx + (y - s.b) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      return std::hypot(x - (s.a + t * dx), y - (s.b + t * dy)) <= s.width / 2;
    }
  }
  return false;
}

// Straight (not premultiplied) BGRA, top row first; 4x4 samples a pixel smooth the edges.
std::vector<uint8_t> Paint(const Icon& icon, int size) {
  constexpr int kSamples = 4;
  std::vector<uint8_t> bgra(static_cast<std::size_t>(size) * size * 4);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      std::array<double, 4> sum{};  // premultiplied b, g, r and alpha
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = (px + (sx + .5) / kSamples) / size,
                       y = (py + (sy + .5) / kSamples) / size;
          std::array<double, 4> c{};
          for (const Shape& s : icon.shapes) {
            if (!Covers(s, x, y)) continue;
            const double alpha = (s.argb >> 24) / 255.0;
            for (int k = 0; k < 3; ++k)
              c[k] = c[k] * (1 - alpha) + ((s.argb >> (8 * k)) & 0xFF) / 255.0 * alpha;
            c[3] = c[3] * (1 - alpha) + alpha;
          }
          for (int k = 0; k < 4; ++k) sum[k] += c[k] / (kSamples * kSamples);
        }
      }
      uint8_t* p = &bgra[(static_cast<std::size_t>(py) * size + px) * 4];
      for (int k = 0; k < 3; ++k)
        p[k] = static_cast<uint8_t>(std::lround(sum[3] > 0 ? 255 * sum[k] / sum[3] : 0));
      p[3] = static_cast<uint8_t>(std::lround(255 * sum[3]));
    }
  }
  return bgra;
}

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

// An .ico file: the directory, then per size a 32-bit bitmap (rows bottom up, the height
// doubled for the mask) and its AND mask, set where the pixel is fully transparent.
std::vector<uint8_t> IcoFile(const Icon& icon) {
  std::vector<std::vector<uint8_t>> images;
  for (int size : icon.sizes) {
    const auto bgra = Paint(icon, size);
    const int maskStride = (size + 31) / 32 * 4;
    std::vector<uint8_t> image;
    for (uint32_t v : {40u, static_cast<uint32_t>(size), static_cast<uint32_t>(2 * size)})
      Put(image, v, 4);
    Put(image, 1, 2);   // planes
    Put(image, 32, 2);  // bits per pixel
    Put(image, 0, 4);   // uncompressed
    Put(image, static_cast<uint32_t>(size * size * 4 + maskStride * size), 4);
    for (int k = 0; k < 4; ++k) Put(image, 0, 4);  // resolution and palette: none
    for (int y = size - 1; y >= 0; --y)
      image.insert(image.end(), bgra.begin() + y * size * 4, bgra.begin() + (y + 1) * size * 4);
    for (int y = size - 1; y >= 0; --y) {
      std::vector<uint8_t> row(static_cast<std::size_t>(maskStride));
      for (int x = 0; x < size; ++x)
        if (bgra[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0)
          row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      image.insert(image.end(), row.begin(), row.end());
    }
    images.push_back(std::move(image));
  }
  std::vector<uint8_t> out;
  Put(out, 0, 2);
  Put(out, 1, 2);  // an icon, not a cursor
  Put(out, static_cast<uint32_t>(images.size()), 2);
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = icon.sizes[i];
    Put(out, static_cast<uint32_t>(size % 256), 1);  // 256 is written as 0
    Put(out, static_cast<uint32_t>(size % 256), 1);
    Put(out, 0, 2);  // no palette, reserved
    Put(out, 1, 2);
    Put(out, 32, 2);
    Put(out, static_cast<uint32_t>(images[i].size()), 4);
    Put(out, offset, 4);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

void WriteIcons(std::ostream& rc, const std::string& dir) {
  for (const Icon& icon : Icons()) {
    const std::string path = dir + "/icon_" + std::to_string(icon.group) + ".ico";
    WriteFile(path, IcoFile(icon));
    rc << icon.group << " ICON " << PathLiteral(path) << "\n";
  }
  rc << "\n";
}

// ---- Version ------------------------------------------------------------------------------

void WriteVersion(std::ostream& rc) {
  namespace v = zentnet::version;
  rc << "#define ZENTNET_VERSION_QUAD " << v::kMajor << "," << v::kMinor << ",0," << v::kRevision
     << "\n"
     << "#define ZENTNET_FILE_VERSION_TEXT \"" << v::kFileVersion << "\"\n"
     << "#define ZENTNET_PRODUCT_VERSION_TEXT \"" << v::kProductVersion << "\"\n";
}

}  // namespace

int main(int argc, char** argv) {
  const bool stringsOnly = argc == 3 && argv[1] == "--strings-only"sv;
  if (argc != 2 && !stringsOnly) {
    std::cerr << "usage: gen_resources [--strings-only] OUTDIR\n";
    return 2;
  }
  const std::string dir = argv[argc - 1];
  try {
    std::ostringstream rc;
    rc << "// Generated by gen_resources. Do not edit.\n\n";
    WriteStrings(rc);
    if (!stringsOnly) {
      WriteSounds(rc, dir);
      WriteIcons(rc, dir);
      WriteVersion(rc);
    }
    std::ofstream out(dir + "/resources.rc", std::ios::binary);
    out << rc.str();
    if (!out) throw std::runtime_error("cannot write " + dir + "/resources.rc");
  } catch (const std::exception& e) {
    std::cerr << "gen_resources: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
