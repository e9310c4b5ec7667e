// The Source RCON protocol's packet layout: little-endian size, id and type, then the body; and the
// comparison of a login's password.
#include "RconPacket.h"

#include <algorithm>
#include <cstring>

namespace {

void PutInt32(std::string& out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xff);
}

int32_t GetInt32(const char* p) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
  return static_cast<int32_t>(v);
}

}  // namespace

RconRead ReadRconPacket(const char* data, std::size_t size, RconPacket& packet, std::size_t& used) {
  if (size < 4) return RconRead::Incomplete;
  const int32_t length = GetInt32(data);
  if (length < kRconMinSize || length > kRconMaxSize) return RconRead::Malformed;
  if (size < 4 + static_cast<std::size_t>(length)) return RconRead::Incomplete;
  packet.id = GetInt32(data + 4);
  packet.type = GetInt32(data + 8);
  // The body runs to its first NUL, and never into the last two bytes, which end the packet
  // whatever they hold.
  packet.body.assign(data + 12, strnlen(data + 12, static_cast<std::size_t>(length) - 10));
  used = 4 + static_cast<std::size_t>(length);
  return RconRead::Packet;
}

std::string EncodeRconPacket(int32_t id, int32_t type, const std::string& body) {
  std::string packet;
  PutInt32(packet, static_cast<int32_t>(body.size() + 10));
  PutInt32(packet, id);
  PutInt32(packet, type);
  packet += body;
  packet.append(2, '\0');
  return packet;
}

bool SecretsEqual(const std::string& a, const std::string& b) {
  unsigned char diff = a.size() == b.size() ? 0 : 1;
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
    const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
    diff |= x ^ y;
  }
  return diff == 0;
}
