#pragma once
// The three published records, laid out byte for byte as the type library declares them.

#include <cstddef>
#include <cstdint>

namespace zentnet {

struct packetbuf {
  int32_t bufferSize;
  uint8_t buffer[18];
  // two bytes of alignment fill follow
};

// One network error, passed through unread.
struct infcErrInfo {
  int32_t nc;
  int32_t Node;
  int32_t errCode;
  packetbuf response;
};

// One parameter change, passed through unread. The published record is 20 bytes: its
// members are aligned to 4 at most, so the double does not pad the record to 24.
#pragma pack(push, 4)
struct infcParamChg {
  double NewValue;
  int32_t Node;
  int32_t net;
  int32_t ParamNum;
};
#pragma pack(pop)

static_assert(alignof(packetbuf) == 4);
static_assert(sizeof(packetbuf) == 24);
static_assert(offsetof(packetbuf, bufferSize) == 0 && offsetof(packetbuf, buffer) == 4);

static_assert(sizeof(infcErrInfo) == 36);
static_assert(offsetof(infcErrInfo, nc) == 0 && offsetof(infcErrInfo, Node) == 4 &&
              offsetof(infcErrInfo, errCode) == 8 && offsetof(infcErrInfo, response) == 12);

static_assert(sizeof(infcParamChg) == 20);
static_assert(offsetof(infcParamChg, NewValue) == 0 && offsetof(infcParamChg, Node) == 8 &&
              offsetof(infcParamChg, net) == 12 && offsetof(infcParamChg, ParamNum) == 16);

}  // namespace zentnet
