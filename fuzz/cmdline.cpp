// The command line: arguments are the input split at NUL bytes. Whatever they
// are, the parser answers with options that make sense or with a reason.
#include "FuzzCheck.h"
#include "app/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const vanemark::CommandLineResult result = vanemark::ParseCommandLine(args);
    if (!result.options) {
        FUZZ_CHECK(!result.error.empty());
        return 0;
    }
    const vanemark::CommandLine& line = *result.options;
    FUZZ_CHECK(line.cycles >= 1);
    FUZZ_CHECK(!line.snapshot || !line.snapshot->empty());
    FUZZ_CHECK(line.settingsFile.empty() || std::find(args.begin(), args.end(), line.settingsFile) != args.end());
    return 0;
}
