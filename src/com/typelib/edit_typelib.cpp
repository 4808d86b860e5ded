// Edits a type library widl wrote, where widl cannot write what the published contract says.
//
//   edit_typelib FILE.tlb EDIT...
//
//   pack:RECORD:SIZE                 lay the record out on 4 bytes, SIZE bytes long
//   default:TYPE:MEMBER:PARAM:VALUE  make the parameter optional with that default; VALUE is
//                                    r8=NUMBER or bstr=TEXT (ASCII)
//   undescribe:TYPE:MEMBER:put       drop the description of the member's write slot; the
//                                    slots around it keep their offsets
//   helpfrom:FILE.idl                give every enumerator and record field of FILE.idl the
//                                    text of the `///< text` comment on its line as its help
//                                    string; an item without one, or one the file's enum or
//                                    struct names but the type library lacks, is an error
//
// widl aligns a record holding a double on 8 bytes (infcParamChg comes out 24 bytes, not 20),
// cannot write a Double default nor a String default on a by-reference parameter, and has no
// way to keep a slot in the vtable while leaving it out of the type library. Nor does it take a
// helpstring on an enumerator or a record field, so their text stands beside them in the IDL.
// The file is read into its parts (header, segments, each type's member block), edited, and
// written back with the segments and blocks laid out again in their original order. Every
// edit checks what it relies on and fails with a message rather than writing a file it does
// not understand.
//
// A build-machine program: the cross build cannot run the Windows API that writes type
// libraries, and a type library is the same bytes on every machine.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

[[noreturn]] void Die(const std::string& what) { throw std::runtime_error(what); }

uint32_t Get32(const Bytes& b, size_t at) {
  if (at + 4 > b.size()) Die("read past the end at " + std::to_string(at));
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Get16(const Bytes& b, size_t at) {
  if (at + 2 > b.size()) Die("read past the end at " + std::to_string(at));
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(Bytes& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// The file's layout: the segments' indices in the directory.
constexpr int kTypeInfoSegment = 0, kNameSegment = 7, kStringSegment = 8, kCustDataSegment = 11;
constexpr int kSegments = 15;
constexpr size_t kHeaderSize = 0x54, kTypeInfoSize = 0x64;
// Typeinfo fields.
// res3 grows with the member records as widl counts them (a defaults array adds its length,
// a function record twice its length); the edits keep it counted the same way.
constexpr size_t kKind = 0x00, kMemOffset = 0x04, kRes3 = 0x0C, kElements = 0x18,
                 kNameOffset = 0x34, kSize = 0x50;
constexpr uint32_t kEnum = 0, kRecord = 1;  // TKIND_ENUM, TKIND_RECORD
// Function record fields; the optional attributes follow at 0x18.
constexpr size_t kInfo = 0x00, kFuncDescSize = 0x0E, kFkccic = 0x10, kArgCount = 0x14;
constexpr uint32_t kHasDefaults = 0x1000;
constexpr uint32_t kInvokePut = 4 << 3;                   // INVOKE_PROPERTYPUT in bits 3-6
constexpr uint32_t kOptional = 0x10, kHasDefault = 0x20;  // PARAMFLAG_FOPT, PARAMFLAG_FHASDEFAULT
constexpr uint16_t kVtR8 = 5, kVtBstr = 8;
// What a default adds to a function's reconstituted size, counted as widl counts its own.
constexpr uint16_t kParamDescEx = 24;
// Variable records: five fields, then optionally the help context and the help string.
constexpr size_t kVarPlain = 0x14, kVarHelpContext = 0x14, kVarHelpString = 0x18;
constexpr size_t kVarWithHelp = 0x1C;

struct TypeLib {
  Bytes head;  // header, help DLL name, typeinfo offsets, segment directory
  size_t directory = 0;
  Bytes segments[kSegments];
  std::vector<int> order;     // segment indices in file order
  std::vector<Bytes> blocks;  // each type's member block, by type index (empty: none)

  uint32_t TypeCount() const { return Get32(head, 0x20); }
  size_t TypeAt(uint32_t i) const { return i * kTypeInfoSize; }
  Bytes& Types() { return segments[kTypeInfoSegment]; }

  std::string NameAt(uint32_t offset) const {
    const Bytes& names = segments[kNameSegment];
    const size_t length = names.at(offset + 8);
    if (offset + 12 + length > names.size()) Die("a name runs past its segment");
    return std::string(names.begin() + offset + 12, names.begin() + offset + 12 + length);
  }
  uint32_t FindType(const std::string& name) {
    for (uint32_t i = 0; i < TypeCount(); ++i)
      if (NameAt(Get32(Types(), TypeAt(i) + kNameOffset)) == name) return i;
    Die("no type named " + name);
  }
};

TypeLib Read(const Bytes& file) {
  TypeLib lib;
  if (Get32(file, 0) != 0x5446534D) Die("not a type library");  // "MSFT"
  const uint32_t flags = Get32(file, 0x14);
  size_t at = kHeaderSize + ((flags & 0x100) ? 4 : 0) + 4 * Get32(file, 0x20);
  lib.directory = at;
  lib.head.assign(file.begin(), file.begin() + static_cast<long>(at + 16 * kSegments));
  std::vector<std::pair<uint32_t, int>> placed;
  for (int s = 0; s < kSegments; ++s) {
    const uint32_t offset = Get32(file, at + 16 * s), length = Get32(file, at + 16 * s + 4);
    if (offset == 0xFFFFFFFF) continue;
    if (offset + length > file.size()) Die("segment " + std::to_string(s) + " runs past the end");
    lib.segments[s].assign(file.begin() + offset, file.begin() + offset + length);
    placed.push_back({offset, s});
  }
  std::sort(placed.begin(), placed.end());
  for (const auto& p : placed) lib.order.push_back(p.second);
  for (uint32_t i = 0; i < lib.TypeCount(); ++i) {
    const size_t type = lib.TypeAt(i);
    const uint32_t memOffset = Get32(lib.Types(), type + kMemOffset);
    const uint32_t elements = Get32(lib.Types(), type + kElements);
    const uint32_t members = (elements & 0xFFFF) + (elements >> 16);
    if (members == 0 || memOffset == 0xFFFFFFFF) {
      lib.blocks.emplace_back();
      continue;
    }
    const size_t length = 4 + Get32(file, memOffset) + 12 * members;
    if (memOffset + length > file.size()) Die("a member block runs past the end");
    lib.blocks.emplace_back(file.begin() + memOffset, file.begin() + memOffset + length);
  }
  return lib;
}

Bytes Write(TypeLib& lib) {
  Bytes file = lib.head;
  for (int s = 0; s < kSegments; ++s) {
    const bool empty = lib.segments[s].empty();
    if (!empty && std::find(lib.order.begin(), lib.order.end(), s) == lib.order.end())
      lib.order.insert(
          std::find_if(lib.order.begin(), lib.order.end(), [s](int o) { return o > s; }), s);
    Put32(file, lib.directory + 16 * s, 0xFFFFFFFF);
    Put32(file, lib.directory + 16 * s + 4, 0);
  }
  // The typeinfo segment's member offsets are set below, before it is copied out.
  size_t at = file.size();
  for (int s : lib.order) at += lib.segments[s].size();
  for (uint32_t i = 0; i < lib.TypeCount(); ++i) {
    if (lib.blocks[i].empty()) continue;
    Put32(lib.Types(), lib.TypeAt(i) + kMemOffset, static_cast<uint32_t>(at));
    at += lib.blocks[i].size();
  }
  for (int s : lib.order) {
    Put32(file, lib.directory + 16 * s, static_cast<uint32_t>(file.size()));
    Put32(file, lib.directory + 16 * s + 4, static_cast<uint32_t>(lib.segments[s].size()));
    file.insert(file.end(), lib.segments[s].begin(), lib.segments[s].end());
  }
  for (const Bytes& block : lib.blocks) file.insert(file.end(), block.begin(), block.end());
  return file;
}

// One type's member block: [records' length][records][ids][names][offsets], functions first.
struct Members {
  Bytes& block;
  uint32_t count;
  uint32_t RecordsLength() const { return Get32(block, 0); }
  size_t Record(uint32_t i) const {
    return 4 + Get32(block, 4 + RecordsLength() + 8 * count + 4 * i);
  }
  size_t Id(uint32_t i) const { return 4 + RecordsLength() + 4 * i; }
  size_t Name(uint32_t i) const { return 4 + RecordsLength() + 4 * count + 4 * i; }
  size_t Offset(uint32_t i) const { return 4 + RecordsLength() + 8 * count + 4 * i; }
  uint16_t RecordLength(uint32_t i) const { return Get16(block, Record(i) + kInfo); }

  // Resizes record `i` by `delta` bytes at `where` (inside it), moving what follows; a record
  // resized to nothing is gone.
  void Resize(uint32_t i, size_t where, long delta) {
    const size_t record = Record(i);
    Put16(block, record + kInfo, static_cast<uint16_t>(Get16(block, record + kInfo) + delta));
    if (delta > 0)
      block.insert(block.begin() + static_cast<long>(where), static_cast<size_t>(delta), 0);
    else
      block.erase(block.begin() + static_cast<long>(where),
                  block.begin() + static_cast<long>(where - delta));
    Put32(block, 0, static_cast<uint32_t>(RecordsLength() + delta));
    for (uint32_t k = 0; k < count; ++k)
      if (Get32(block, Offset(k)) > record - 4)
        Put32(block, Offset(k), static_cast<uint32_t>(Get32(block, Offset(k)) + delta));
  }
};

struct Function {
  uint32_t index;
  size_t record;
};

Function FindFunction(TypeLib& lib, uint32_t type, Members& m, const std::string& member,
                      bool put) {
  const uint32_t functions = Get32(lib.Types(), lib.TypeAt(type) + kElements) & 0xFFFF;
  for (uint32_t i = 0; i < functions; ++i) {
    const size_t record = m.Record(i);
    const bool isPut = ((Get32(m.block, record + kFkccic) >> 3) & 0xF) == (kInvokePut >> 3);
    if (lib.NameAt(Get32(m.block, m.Name(i))) == member && isPut == put) return {i, record};
  }
  Die("no " + std::string(put ? "write of " : "function ") + member);
}

void Pack(TypeLib& lib, const std::string& record, uint32_t size) {
  const size_t type = lib.TypeAt(lib.FindType(record));
  Bytes& types = lib.Types();
  if ((Get32(types, type + kKind) & 0xF) != kRecord) Die(record + " is not a record");
  const uint32_t now = Get32(types, type + kSize);
  if (now == size) return;
  // The alignment sits in bits 11-15 of the kind word.
  const uint32_t kind = Get32(types, type + kKind);
  if (((kind >> 11) & 0x1F) != 8 || now != (size + 7) / 8 * 8)
    Die(record + " is " + std::to_string(now) + " bytes, expected " + std::to_string(size) +
        " rounded up to 8");
  Put32(types, type + kKind, (kind & ~(0x1Fu << 11)) | (4u << 11));
  Put32(types, type + kSize, size);
}

uint32_t AddValue(TypeLib& lib, const std::string& value) {
  Bytes& data = lib.segments[kCustDataSegment];
  const uint32_t at = static_cast<uint32_t>(data.size());
  Bytes entry;
  if (value.rfind("r8=", 0) == 0) {
    char* end = nullptr;
    const double number = std::strtod(value.c_str() + 3, &end);
    if (*end != '\0' || end == value.c_str() + 3) Die("not a number: " + value);
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    entry = {static_cast<uint8_t>(kVtR8), 0};
    for (int i = 0; i < 8; ++i) entry.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  } else if (value.rfind("bstr=", 0) == 0) {
    const std::string text = value.substr(5);
    entry = {static_cast<uint8_t>(kVtBstr), 0};
    for (int i = 0; i < 4; ++i) entry.push_back(static_cast<uint8_t>(text.size() >> (8 * i)));
    entry.insert(entry.end(), text.begin(), text.end());
  } else {
    Die("unknown default " + value);
  }
  entry.resize((entry.size() + 3) / 4 * 4, 0x57);  // padded as the runtime pads
  data.insert(data.end(), entry.begin(), entry.end());
  return at;
}

void Default(TypeLib& lib, const std::string& typeName, const std::string& member,
             const std::string& param, const std::string& value) {
  const uint32_t type = lib.FindType(typeName);
  const uint32_t elements = Get32(lib.Types(), lib.TypeAt(type) + kElements);
  Members m{lib.blocks[type], (elements & 0xFFFF) + (elements >> 16)};
  const Function f = FindFunction(lib, type, m, member, false);
  const uint16_t args = Get16(m.block, f.record + kArgCount);
  auto paramAt = [&](uint16_t p) {
    return m.Record(f.index) + m.RecordLength(f.index) - 12 * (args - p);
  };
  uint16_t p = 0;
  while (p < args && !(lib.NameAt(Get32(m.block, paramAt(p) + 4)) == param)) ++p;
  if (p == args) Die(typeName + "." + member + " has no parameter " + param);
  if (!(Get32(m.block, f.record + kFkccic) & kHasDefaults)) {
    const size_t at = paramAt(0);
    m.Resize(f.index, at, 4 * args);
    const size_t res3 = lib.TypeAt(type) + kRes3;
    Put32(lib.Types(), res3, Get32(lib.Types(), res3) + 4u * args);
    for (uint16_t k = 0; k < args; ++k) Put32(m.block, at + 4 * k, 0xFFFFFFFF);
    Put32(m.block, f.record + kFkccic, Get32(m.block, f.record + kFkccic) | kHasDefaults);
  }
  const size_t defaults = paramAt(0) - 4 * args;
  if (Get32(m.block, defaults + 4 * p) != 0xFFFFFFFF) Die(param + " has a default already");
  Put32(m.block, defaults + 4 * p, AddValue(lib, value));
  Put32(m.block, paramAt(p) + 8, Get32(m.block, paramAt(p) + 8) | kOptional | kHasDefault);
  Put16(m.block, f.record + kFuncDescSize,
        static_cast<uint16_t>(Get16(m.block, f.record + kFuncDescSize) + kParamDescEx));
}

void Undescribe(TypeLib& lib, const std::string& typeName, const std::string& member) {
  const uint32_t type = lib.FindType(typeName);
  const size_t info = lib.TypeAt(type);
  const uint32_t elements = Get32(lib.Types(), info + kElements);
  Members m{lib.blocks[type], (elements & 0xFFFF) + (elements >> 16)};
  const Function f = FindFunction(lib, type, m, member, true);
  const uint16_t length = m.RecordLength(f.index);
  // Each function record holds its index (Info's high half) and, in the same place of its
  // kind word, the index of the next function of the same name in a ring; the ring skips
  // the dropped function and every index past it moves down by one.
  const uint32_t gone = f.index, next = Get32(m.block, f.record + kFkccic) >> 16;
  const uint32_t functions = elements & 0xFFFF;
  for (uint32_t i = 0; i < functions; ++i) {
    if (i == gone) continue;
    const size_t record = m.Record(i);
    uint32_t link = Get32(m.block, record + kFkccic) >> 16;
    if (link == gone) link = next;
    if (link > gone) --link;
    Put32(m.block, record + kFkccic, (Get32(m.block, record + kFkccic) & 0xFFFF) | link << 16);
    Put16(m.block, record + kInfo + 2, static_cast<uint16_t>(i > gone ? i - 1 : i));
  }
  m.Resize(f.index, f.record, -static_cast<long>(length));
  // Drop its id, name and offset, the last first.
  for (size_t at : {m.Offset(f.index), m.Name(f.index), m.Id(f.index)})
    m.block.erase(m.block.begin() + static_cast<long>(at),
                  m.block.begin() + static_cast<long>(at) + 4);
  Put32(lib.Types(), info + kElements, elements - 1);
  Put32(lib.Types(), info + kRes3, Get32(lib.Types(), info + kRes3) - 2u * length);
}

// Adds `text` to the string segment: its length in two bytes, the characters, then filler
// to a multiple of 4 and at least 8 bytes, as widl writes its own and the readers step.
uint32_t AddString(TypeLib& lib, const std::string& text) {
  Bytes& strings = lib.segments[kStringSegment];
  const uint32_t at = static_cast<uint32_t>(strings.size());
  strings.push_back(static_cast<uint8_t>(text.size()));
  strings.push_back(static_cast<uint8_t>(text.size() >> 8));
  strings.insert(strings.end(), text.begin(), text.end());
  strings.resize(std::max<size_t>(at + 8, (strings.size() + 3) / 4 * 4), 0x57);
  return at;
}

// The `///< text` of every enumerator and record field in the IDL's enum and struct blocks,
// by type and item name, in declaration order.
using HelpTexts = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

HelpTexts ReadHelpTexts(const std::string& path) {
  std::ifstream in(path);
  if (!in) Die("cannot read " + path);
  static const std::regex open(
      R"(^\s*(?:typedef\s+(?:\[[^\]]*\]\s*)?)?(enum|struct)\s+(\w+)\s*\{)");
  static const std::regex enumerator(R"(^\s*(\w+)\s*(=[^,]*)?,?\s*$)");
  static const std::regex field(R"((\w+)\s*(\[\s*\w*\s*\])?\s*;\s*$)");
  HelpTexts texts;
  std::string line, type, kind;
  for (int number = 1; std::getline(in, line); ++number) {
    std::smatch m;
    const std::string where = path + ":" + std::to_string(number);
    if (type.empty()) {
      if (std::regex_search(line, m, open)) kind = m[1], type = m[2];
      continue;
    }
    const size_t mark = line.find("///<");
    const std::string code = line.substr(0, mark);
    if (code.find('}') != std::string::npos) {
      type.clear();
      continue;
    }
    if (code.find_first_not_of(" \t") == std::string::npos) continue;
    if (!std::regex_search(code, m, kind == "enum" ? enumerator : field))
      Die(where + ": cannot read the " + (kind == "enum" ? "enumerator" : "field") + " in " + type);
    const std::string item = m[1];
    if (mark == std::string::npos) Die(where + ": " + type + "." + item + " has no ///< help text");
    std::string text = line.substr(mark + 4);
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t\r") + 1);
    if (text.empty()) Die(where + ": " + type + "." + item + " has an empty ///< help text");
    for (const char c : text)
      if (c < 0x20 || c > 0x7E) Die(where + ": " + type + "." + item + "'s text is not ASCII");
    texts[type].push_back({item, text});
  }
  if (!type.empty()) Die(path + ": " + type + " has no closing brace");
  return texts;
}

void HelpFrom(TypeLib& lib, const std::string& path) {
  for (const auto& [typeName, items] : ReadHelpTexts(path)) {
    const uint32_t type = lib.FindType(typeName);
    const size_t info = lib.TypeAt(type);
    const uint32_t kind = Get32(lib.Types(), info + kKind) & 0xF;
    if (kind != kEnum && kind != kRecord) Die(typeName + " is neither an enumeration nor a record");
    const uint32_t elements = Get32(lib.Types(), info + kElements);
    const uint32_t functions = elements & 0xFFFF;
    Members m{lib.blocks[type], functions + (elements >> 16)};
    for (const auto& [item, text] : items) {
      uint32_t i = functions;
      while (i < m.count && lib.NameAt(Get32(m.block, m.Name(i))) != item) ++i;
      if (i == m.count) Die(typeName + " has no " + item + " in the type library");
      if (m.RecordLength(i) != kVarPlain)
        Die(typeName + "." + item + " has a " + std::to_string(m.RecordLength(i)) +
            "-byte record, expected " + std::to_string(kVarPlain));
      const size_t record = m.Record(i);
      m.Resize(i, record + kVarPlain, kVarWithHelp - kVarPlain);
      Put32(m.block, record + kVarHelpContext, 0);
      Put32(m.block, record + kVarHelpString, AddString(lib, text));
      const uint32_t grown = 2u * (kVarWithHelp - kVarPlain);  // as widl counts a record
      Put32(lib.Types(), info + kRes3, Get32(lib.Types(), info + kRes3) + grown);
    }
  }
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t colon; (colon = text.find(':', from)) != std::string::npos; from = colon + 1)
    out.push_back(text.substr(from, colon - from));
  out.push_back(text.substr(from));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: edit_typelib FILE.tlb EDIT...\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) Die("cannot read the file");
    const Bytes file{std::istreambuf_iterator<char>(in), {}};
    TypeLib lib = Read(file);
    for (int i = 2; i < argc; ++i) {
      const std::vector<std::string> e = Split(argv[i]);
      const std::string edit = argv[i];
      if (edit.rfind("helpfrom:", 0) == 0)
        HelpFrom(lib, edit.substr(9));
      else if (e[0] == "pack" && e.size() == 3)
        Pack(lib, e[1], static_cast<uint32_t>(std::stoul(e[2])));
      else if (e[0] == "default" && e.size() == 5)
        Default(lib, e[1], e[2], e[3], e[4]);
      else if (e[0] == "undescribe" && e.size() == 4 && e[3] == "put")
        Undescribe(lib, e[1], e[2]);
      else
        Die(std::string("unknown edit ") + argv[i]);
    }
    const Bytes out = Write(lib);
    std::ofstream o(argv[1], std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!o) Die("cannot write the file");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "edit_typelib %s: %s\n", argv[1], e.what());
    return 1;
  }
  return 0;
}
