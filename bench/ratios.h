#pragma once
// Ratios a benchmark promises: the median CPU time of one benchmark over another's, both
// run in the same process with interleaved repetitions. main.cpp prints each after the
// runs, with its target.

#include <string>

namespace zentnet::bench {

// `ours` and `floor` are full run names ("BM_PollPath/1"). Returns a dummy for use in a
// namespace-scope initialiser.
int AddRatio(std::string ours, std::string floor, double atMost);

}  // namespace zentnet::bench
