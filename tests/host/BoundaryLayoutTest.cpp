// The layouts that cross the boundary to the framework, pinned to the MSVC x64 ABI on Windows
// (and to what this platform's framework build would have elsewhere).
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/ZelApi.h"

namespace morrowset::test {
namespace {

struct Layout {
  const char* type;
  std::size_t size;
  std::size_t expected;
};
void PrintTo(const Layout& layout, std::ostream* os) { *os << layout.type; }

#if defined(_MSC_VER)
// Microsoft's documented x64 layouts, release runtime.
constexpr std::size_t kString = 32, kFunction = 64, kSharedPtr = 16, kVector = 24, kException = 24;
#else
// libstdc++'s, for the Linux framework build.
constexpr std::size_t kString = 32, kFunction = 32, kSharedPtr = 16, kVector = 24, kException = 8;
#endif

class BoundaryLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(BoundaryLayout, MatchesTheFrameworksBuild) { EXPECT_EQ(GetParam().size, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Types, BoundaryLayout,
    ::testing::Values(Layout{"String", sizeof(std::string), kString},
                      Layout{"TimerCallback", sizeof(ZelApi::TimerCallback), kFunction},
                      Layout{"ConsoleCallback", sizeof(ZelApi::ConsoleCallback), kFunction},
                      Layout{"SinkPointer", sizeof(std::shared_ptr<spdlog::sinks::sink>), kSharedPtr},
                      Layout{"LogSinks", sizeof(ZelApi::LogSinks), kVector},
                      Layout{"Exception", sizeof(std::exception), kException},
                      Layout{"FString", sizeof(FString), 16}, Layout{"TArray", sizeof(TArray<FString>), 16},
                      Layout{"RconPacketBody", offsetof(RCONPacket, Body), 12 + 4}),
    [](const auto& info) { return std::string(info.param.type); });

}  // namespace
}  // namespace morrowset::test
