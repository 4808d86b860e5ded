#include <gtest/gtest.h>

#include <string>

#include "zentnet/resources/version.h"

namespace zentnet {
namespace {

TEST(VersionRecord, NumbersAndTexts) {
  EXPECT_EQ(version::kMajor, 1);
  EXPECT_EQ(version::kMinor, 0);
  EXPECT_EQ(version::kRevision, 48);
  EXPECT_EQ(version::kFileVersion, "1.00.0048");
  EXPECT_EQ(version::kProductVersion, "1.00.0048");
  // The plain form is what clients see: no leading zeros.
  EXPECT_EQ(version::kNumbers, std::to_string(version::kMajor) + "." +
                                   std::to_string(version::kMinor) + "." +
                                   std::to_string(version::kRevision));
  EXPECT_EQ(version::kNumbers, "1.0.48");
}

}  // namespace
}  // namespace zentnet
