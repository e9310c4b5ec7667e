// Fuzz target: a connection's bytes through the RCON packet reader. Each packet read takes 14
// to 4100 bytes of what is there, carries a body of at most 4086 bytes without a NUL, and reads
// back the same once written again.
#include <cstdint>
#include <string>

#include "RconPacket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  RconPacket packet, again;
  std::size_t used = 0, usedAgain = 0;
  while (ReadRconPacket(bytes, size, packet, used) == RconRead::Packet) {
    if (used < 14 || used > size || used > 4 + kRconMaxSize) __builtin_trap();
    if (packet.body.size() > kRconMaxBody || packet.body.find('\0') != std::string::npos) __builtin_trap();
    const std::string written = EncodeRconPacket(packet.id, packet.type, packet.body);
    if (ReadRconPacket(written.data(), written.size(), again, usedAgain) != RconRead::Packet ||
        usedAgain != written.size() || again.id != packet.id || again.type != packet.type ||
        again.body != packet.body)
      __builtin_trap();
    bytes += used;
    size -= used;
  }
  return 0;
}
