// The driver of a fuzz target outside the sanitizer build: feeds it every file of the
// folders (or files) named on the command line once. A target that finds a fault
// aborts, which fails the test; a clean run prints how many inputs it took.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Feed(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  long fed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    std::error_code ec;
    if (std::filesystem::is_directory(arg, ec)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg)) {
        if (!entry.is_regular_file()) continue;
        if (!Feed(entry.path())) {
          std::fprintf(stderr, "cannot read %s\n", entry.path().c_str());
          return 1;
        }
        ++fed;
      }
    } else if (Feed(arg)) {
      ++fed;
    } else {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
  }
  // The empty input is every target's first case.
  LLVMFuzzerTestOneInput(nullptr, 0);
  std::printf("replayed %ld inputs\n", fed + 1);
  return 0;
}
