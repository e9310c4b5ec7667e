// The Source RCON protocol's packets: the bytes on the wire, read and written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Packet types of the Source RCON protocol.
namespace RconType {
constexpr int32_t ResponseValue = 0;
constexpr int32_t ExecCommand = 2;
constexpr int32_t AuthResponse = 2;
constexpr int32_t Auth = 3;
}  // namespace RconType

// The size field's bounds: an empty packet (id, type, two NULs) and the largest one taken.
constexpr int32_t kRconMinSize = 10;
constexpr int32_t kRconMaxSize = 4096;
// The longest body that fits one packet.
constexpr std::size_t kRconMaxBody = kRconMaxSize - 10;

// One packet as read: its id, its type and its body, up to the body's first NUL.
struct RconPacket {
  int32_t id = 0;
  int32_t type = 0;
  std::string body;
};

// What the start of a connection's bytes holds.
enum class RconRead { Incomplete, Packet, Malformed };

// Reads the packet at the start of data. Packet: packet is filled and used set to the bytes it
// takes; Incomplete: more bytes are needed; Malformed: the size field is out of bounds, and the
// connection must close.
RconRead ReadRconPacket(const char* data, std::size_t size, RconPacket& packet, std::size_t& used);

// Encodes one packet: size, id, type, body, two NUL bytes.
std::string EncodeRconPacket(int32_t id, int32_t type, const std::string& body);

// Compares two secrets (a login's password) in time that depends only on their lengths.
bool SecretsEqual(const std::string& a, const std::string& b);
