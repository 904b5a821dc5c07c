// Parse throughput on a generated definition file of about 5 MB, against a
// loop that only reads the same stream unit by unit: the parser's cost over
// the reading it cannot avoid.
#include <algorithm>
#include <cstdio>
#include <string>

#include "ParserWorkload.h"

namespace {

constexpr int rounds = 25;

}  // namespace

int main() {
    const std::wstring text = generateDefinitions(2'500'000);
    const double megabytes = text.size() * 2 / 1e6;  // as UTF-16 on disk

    // Interleaved, so that a busy spell of the machine hits both alike; the
    // best round of each is the least disturbed one.
    size_t sink = 0;
    double bare = 1e9;
    double parse = 1e9;
    for (int round = 0; round < rounds; ++round) {
        bare = std::min(bare, secondsToRead(text, sink));
        parse = std::min(parse, secondsToParse(text, sink));
    }
    std::printf("input %.2f MB of UTF-16 (%zu code units), best of %d interleaved runs\n",
                megabytes, text.size(), rounds);
    std::printf("bare read loop  %8.1f MB/s  (%.4f s)\n", megabytes / bare, bare);
    std::printf("parser          %8.1f MB/s  (%.4f s)\n", megabytes / parse, parse);
    std::printf("parser / bare   %8.2f\n", bare / parse);
    return sink == 0;
}
