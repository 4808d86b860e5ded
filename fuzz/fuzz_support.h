#pragma once
// What every fuzz target shares: the one exception a member may let escape, a reader that
// turns the fuzzer's bytes into the arguments a script could pass, and a way to report a
// broken promise so that libFuzzer keeps the input.
//
// Each target defines FuzzOne. The entry point in fuzz_support.cpp catches AutomationError
// and nothing else: any other exception terminates the process, which libFuzzer records
// as a crash together with the input.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "zentnet/automation/error.h"
#include "zentnet/automation/variant.h"

namespace zentnet::fuzz {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : text_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return text_.empty(); }
  size_t Size() const { return text_.size(); }

  // 0 once the input is used up.
  uint8_t Byte() {
    if (text_.empty()) return 0;
    const auto b = static_cast<uint8_t>(text_.front());
    text_.remove_prefix(1);
    return b;
  }

  // sizeof(T) bytes in host order, missing bytes read as zero.
  template <class T>
  T Raw() {
    unsigned char bytes[sizeof(T)] = {};
    const size_t n = text_.size() < sizeof(T) ? text_.size() : sizeof(T);
    std::memcpy(bytes, text_.data(), n);
    text_.remove_prefix(n);
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  // Up to the next line feed, which is consumed but not returned; the rest at the end.
  std::string_view Line() {
    const size_t end = text_.find('\n');
    const std::string_view line = text_.substr(0, end);
    text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
    return line;
  }

  std::string_view Rest() {
    const std::string_view rest = text_;
    text_ = {};
    return rest;
  }

 private:
  std::string_view text_;
};

// A variant from a tag byte and its payload, readable in a seed file:
//   'm' missing   'e' Empty    't' True     'f' False
//   'l' Long (4 bytes)         'd' Double (8 bytes)
//   'o' a null object          'O' an object (a Collection)
//   's' the rest as a String
// Any other first byte starts a String made of the whole rest, tag included, so that a
// plain text seed is a String.
Variant TakeVariant(Input& in);

// A short, printable description of a variant for failure messages.
std::string Describe(const Variant& v);

// Prints the broken promise and aborts, so libFuzzer saves the input.
[[noreturn]] void Fail(const char* what, std::string_view detail = {});

}  // namespace zentnet::fuzz

#define ZENTNET_FUZZ_CHECK(cond, detail) ((cond) ? void(0) : ::zentnet::fuzz::Fail(#cond, (detail)))

// Defined by each target.
void FuzzOne(zentnet::fuzz::Input& in);
