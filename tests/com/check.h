#pragma once
// The in-process checks' own assertions: each failure prints one line and is counted, and
// the program exits with the count.

#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>

#include <windows.h>
#include <oaidl.h>

#include "sink.h"
#include "zentnet/automation/error.h"

namespace zentnet::com {

inline int g_failures = 0;

inline void Expect(bool ok, const std::string& what) {
  if (!ok) {
    ++g_failures;
    std::printf("FAIL: %s\n", what.c_str());
  }
}

template <class A, class B>
void ExpectEq(const A& actual, const B& expected, const std::string& what) {
  if (actual == expected) return;
  ++g_failures;
  if constexpr (std::is_convertible_v<A, std::string>)
    std::printf("FAIL: %s: got \"%s\", want \"%s\"\n", what.c_str(), std::string(actual).c_str(),
                std::string(expected).c_str());
  else
    std::printf("FAIL: %s: got %lld (0x%llX), want %lld (0x%llX)\n", what.c_str(),
                static_cast<long long>(actual),
                static_cast<unsigned long long>(actual) & 0xFFFFFFFFull,
                static_cast<long long>(expected),
                static_cast<unsigned long long>(expected) & 0xFFFFFFFFull);
}

inline void ExpectError(const std::function<void()>& f, int32_t number, const std::string& source,
                        const std::string& description, const std::string& what) {
  try {
    f();
    ExpectEq(std::string("no error"), "error " + std::to_string(number), what);
  } catch (const AutomationError& e) {
    ExpectEq(std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description(),
             std::to_string(number) + " " + source + ": " + description, what);
  }
}

}  // namespace zentnet::com
