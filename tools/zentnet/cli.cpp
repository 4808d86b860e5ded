#include "cli.h"

#include <charconv>
#include <cstdio>
#include <iostream>

namespace zentnet::cli {

int32_t ParseRegister(std::string_view text) {
  const std::string original(text);
  bool negative = false;
  int base = 10;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (!negative && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  uint64_t magnitude = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || ec == std::errc::invalid_argument || ptr != text.data() + text.size())
    throw UsageError("not a number: '" + original + "'");
  if (ec == std::errc::result_out_of_range ||
      magnitude > (negative ? 0x80000000ull : 0xFFFFFFFFull))
    throw UsageError("does not fit in 32 bits: '" + original + "'");
  const auto bits = static_cast<uint32_t>(negative ? (~magnitude + 1) : magnitude);
  return static_cast<int32_t>(bits);
}

std::optional<std::string> Args::Get(std::string_view flag) const {
  const auto it = options.find(flag);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

namespace {
bool Listed(const std::vector<std::string_view>& list, std::string_view flag) {
  for (auto f : list)
    if (f == flag) return true;
  return false;
}
}  // namespace

Args ParseArgs(const std::vector<std::string>& argv, const std::vector<std::string_view>& valued,
               const std::vector<std::string_view>& switches) {
  Args args;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    // A lone "-5" is a negative value, not an option.
    if (a.rfind("--", 0) != 0) {
      args.positional.push_back(a);
      continue;
    }
    if (Listed(valued, a)) {
      if (i + 1 >= argv.size()) throw UsageError("option " + a + " needs a value");
      args.options[a] = argv[++i];
    } else if (Listed(switches, a)) {
      args.options[a] = "";
    } else {
      throw UsageError("unknown option: " + a);
    }
  }
  return args;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", u);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string JsonValue(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Boolean:
      return value.ToBool() ? "true" : "false";
    case Variant::Type::Long:
    case Variant::Type::Double:
      return value.ToString();
    case Variant::Type::String:
      return JsonString(value.ToString());
    default:
      return "null";
  }
}

void PrintObject(Object& object, const Fields& extra, bool json) {
  Fields rows;
  for (const auto name : object.PropertyNames())
    rows.emplace_back(std::string(name), object.GetProperty(name));
  rows.insert(rows.end(), extra.begin(), extra.end());

  const auto jsonOf = [](const Field& f) {
    if (!f.isList) return JsonValue(f.value);
    std::string array = "[";
    for (size_t i = 0; i < f.list.size(); ++i) array += (i ? ", " : "") + JsonString(f.list[i]);
    return array + "]";
  };
  const auto textOf = [](const Field& f) {
    if (!f.isList) return f.value.ToString();
    std::string joined;
    for (size_t i = 0; i < f.list.size(); ++i) joined += (i ? ", " : "") + f.list[i];
    return joined;
  };
  if (json) {
    std::string out = "{";
    for (size_t i = 0; i < rows.size(); ++i)
      out += (i ? ", " : "") + JsonString(rows[i].first) + ": " + jsonOf(rows[i].second);
    std::cout << out << "}\n";
    return;
  }
  size_t width = 0;
  for (const auto& r : rows) width = std::max(width, r.first.size());
  for (const auto& r : rows)
    std::cout << r.first << std::string(width + 2 - r.first.size(), ' ') << textOf(r.second)
              << '\n';
}

}  // namespace zentnet::cli
