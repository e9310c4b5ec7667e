// Fuzz target: any bytes are read as a Windows image or refused with a reason, and what is read
// goes through the name reading and matching of --framework without a crash; the same bytes as an
// installed plugin file are a Morrowset build or refused with a reason.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FrameworkCheck.h"
#include "PeImage.h"
#include "PluginFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string why;
  const std::string plugin = MorrowsetBuildOf(std::string(reinterpret_cast<const char*>(data), size), why);
  if (plugin.empty() == why.empty()) __builtin_trap();
  why.clear();
  morrowset::pe::Image image;
  if (!morrowset::pe::Parse(std::string_view(reinterpret_cast<const char*>(data), size), image, why)) {
    if (why.empty()) __builtin_trap();
    return 0;
  }
  for (const auto& [dll, names] : image.imports)
    for (const std::string& name : names) (void)morrowset::FunctionName(name);
  (void)morrowset::CompareWithFramework(image, image);
  return 0;
}
