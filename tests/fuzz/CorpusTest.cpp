// The fuzzer's checks on every input kept in tests/fuzz/corpus, so that each
// input that once broke something stays fixed in every build.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tonlira::test {
namespace {

namespace fs = std::filesystem;

TEST(PrefsFuzzCorpus, EveryKeptInputHoldsTheInvariants) {
    const fs::path corpus = fs::path(TONLIRA_FUZZ_CORPUS);
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    ASSERT_FALSE(inputs.empty()) << corpus;
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        std::ifstream in(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        // A broken invariant aborts with its line; the trace names the input.
        std::fprintf(stderr, "%s\n", input.filename().c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
}

}  // namespace
}  // namespace tonlira::test
