// Reads ZentNetLib.dll's resources back as any program reading the file would, and holds
// them against the core linked in here: every string id, every sound byte for byte, the
// icons and the version record.
// The same string-table check runs on this program's own table of awkward characters, which
// the DLL's data file does not hold.
//   zentnet_resources_test [path\to\ZentNetLib.dll]

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "check.h"
#include "zentnet/resources/sounds.h"
#include "zentnet/resources/strings.h"
#include "zentnet/resources/version.h"

using namespace zentnet;
using namespace zentnet::com;

namespace {

// Resource types by number: the header's RT_ names follow UNICODE, which this build leaves unset.
const wchar_t* const kIconImage = MAKEINTRESOURCEW(3);
const wchar_t* const kStringBlock = MAKEINTRESOURCEW(6);
const wchar_t* const kIconGroup = MAKEINTRESOURCEW(14);

std::string Utf8(const wchar_t* text, int length) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), static_cast<int>(out.size()), nullptr,
                      nullptr);
  return out;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<int32_t>*>(names)->push_back(
      IS_INTRESOURCE(name) ? static_cast<int32_t>(reinterpret_cast<ULONG_PTR>(name)) : -1);
  return TRUE;
}

// The numeric names of every resource of `type` (-1 for a name that is text).
std::vector<int32_t> Names(HMODULE dll, const wchar_t* type) {
  std::vector<int32_t> names;
  EnumResourceNamesW(dll, type, CollectName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

struct Entry {
  int32_t id;
  std::string_view text;
};
// This program's own string table: awkward_strings.txt, by gen_strings.cmake.
using namespace std::string_view_literals;
constexpr Entry kAwkward[] = {
#include "zentnet/resources/strings_table.inc"
};

using Source = std::function<std::optional<std::string>(int32_t)>;

std::optional<std::string> Core(int32_t id) {
  try {
    return LoadResString(id);
  } catch (const AutomationError&) {
    return std::nullopt;
  }
}

std::optional<std::string> Awkward(int32_t id) {
  for (const Entry& e : kAwkward)
    if (e.id == id) return std::string(e.text);
  return std::nullopt;
}

// Every 16-bit id: `module` has a text exactly where `source` has one, the same text, in a
// block of US English. Returns how many texts there are.
int StringTable(HMODULE module, const Source& source, const std::string& name) {
  int count = 0;
  for (int32_t id = 0; id <= 0xFFFF; ++id) {
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    const auto want = source(id);
    const std::string what = name + " string " + std::to_string(id);
    ExpectEq(length > 0 ? Utf8(text, length) : "(none)", want.value_or("(none)"), what);
    if (!want) continue;
    ++count;
    Expect(FindResourceExW(module, kStringBlock, MAKEINTRESOURCEW(id / 16 + 1),
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) != nullptr,
           what + ": its block is US English");
  }
  return count;
}

// The same ids as the core's sounds, each the bytes LoadResSound returns.
void Sounds(HMODULE dll) {
  const auto ids = ResSoundIds();
  auto names = Names(dll, L"WAVE");
  std::sort(names.begin(), names.end());
  Expect(std::equal(names.begin(), names.end(), ids.begin(), ids.end()),
         "WAVE ids are the core's sound ids");
  for (int32_t id : ids) {
    const auto core = LoadResSound(id);
    HRSRC found = FindResourceW(dll, MAKEINTRESOURCEW(id), L"WAVE");
    const auto* bytes =
        found ? static_cast<const uint8_t*>(LockResource(LoadResource(dll, found))) : nullptr;
    Expect(bytes != nullptr && SizeofResource(dll, found) == core.size() &&
               std::equal(core.begin(), core.end(), bytes),
           "WAVE " + std::to_string(id) + " is LoadResSound's file byte for byte");
  }
}

// Every image a group names is there and decodes; the groups name every image once.
void Icons(HMODULE dll) {
  std::size_t members = 0;
  const auto groups = Names(dll, kIconGroup);
  for (int32_t group : groups) {
    HRSRC found = FindResourceW(dll, MAKEINTRESOURCEW(group), kIconGroup);
    const auto* dir =
        found ? static_cast<const uint8_t*>(LockResource(LoadResource(dll, found))) : nullptr;
    for (uint16_t k = 0, count = dir ? static_cast<uint16_t>(dir[4] | dir[5] << 8) : 0; k < count;
         ++k, ++members) {
      const uint8_t* entry = dir + 6 + 14 * k;  // width, height, ..., size, id (last two bytes)
      const int id = entry[12] | entry[13] << 8;
      HRSRC image = FindResourceW(dll, MAKEINTRESOURCEW(id), kIconImage);
      HICON icon = image ? CreateIconFromResourceEx(
                               static_cast<PBYTE>(LockResource(LoadResource(dll, image))),
                               SizeofResource(dll, image), TRUE, 0x00030000, entry[0], entry[1], 0)
                         : nullptr;
      Expect(icon != nullptr,
             "group " + std::to_string(group) + ": image " + std::to_string(id) + " decodes");
      if (icon) DestroyIcon(icon);
    }
  }
  ExpectEq(std::to_string(groups.size()) + " groups naming " + std::to_string(members) + " of " +
               std::to_string(Names(dll, kIconImage).size()) + " images",
           "5 groups naming 7 of 7 images", "icons");
}

// The version record: its numbers and texts are version.h's.
void VersionRecord(const std::wstring& path) {
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  UINT size = 0;
  VS_FIXEDFILEINFO* fixed = nullptr;
  if (info.empty() ||
      !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size))
    return Expect(false, "the DLL has a version record");
  const auto quad = [](DWORD high, DWORD low) {  // "a.b.c.d" of the record's two 32-bit halves
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
  };
  const std::string numbers = std::to_string(version::kMajor) + "." +
                              std::to_string(version::kMinor) + ".0." +
                              std::to_string(version::kRevision);
  ExpectEq(quad(fixed->dwFileVersionMS, fixed->dwFileVersionLS), numbers, "FILEVERSION");
  ExpectEq(quad(fixed->dwProductVersionMS, fixed->dwProductVersionLS), numbers, "PRODUCTVERSION");
  WORD* translation = nullptr;
  VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                 &size);
  Expect(size == 4 && translation[0] == 0x409 && translation[1] == 1200, "translation 0x409, 1200");
  const struct {
    const wchar_t* key;
    std::string_view text;
  } kTexts[] = {
      {L"ProductName", "ZentNetLib"},          {L"FileDescription", "ZentNetLib"},
      {L"InternalName", "ZentNetLib"},         {L"OriginalFilename", "ZentNetLib.dll"},
      {L"FileVersion", version::kFileVersion}, {L"ProductVersion", version::kProductVersion}};
  for (const auto& t : kTexts) {
    wchar_t* text = nullptr;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + t.key;
    const bool there =
        VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &size);
    ExpectEq(there ? Utf8(text, static_cast<int>(wcsnlen(text, size))) : std::string("(missing)"),
             std::string(t.text), Utf8(t.key, static_cast<int>(wcslen(t.key))));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string narrow = argc > 1 ? argv[1] : "ZentNetLib.dll";
  const std::wstring path(narrow.begin(), narrow.end());
  HMODULE dll = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  Expect(dll != nullptr, "LoadLibraryEx " + narrow + " as a data file");
  if (dll == nullptr) return 1;
  const int strings = StringTable(dll, Core, "the core");
  Expect(strings > 0, "the core has strings");
  ExpectEq(StringTable(GetModuleHandleW(nullptr), Awkward, "the awkward table"),
           static_cast<int>(std::size(kAwkward)), "awkward texts");
  Sounds(dll);
  Icons(dll);
  FreeLibrary(dll);
  VersionRecord(path);
  std::printf("%s: %d strings, %zu sounds; %d failure(s)\n", g_failures == 0 ? "ok" : "FAILED",
              strings, ResSoundIds().size(), g_failures);
  return g_failures;
}
