// Replays a fuzz target's committed corpus without libFuzzer: every file in the folders given
// goes through the target once. Exits 1 when a folder holds no inputs; a crash ends the run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::size_t inputs = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++inputs;
    }
    if (error) std::fprintf(stderr, "fuzz-replay: %s: %s\n", argv[i], error.message().c_str());
  }
  std::printf("fuzz-replay: %zu inputs\n", inputs);
  return inputs > 0 ? 0 : 1;
}
