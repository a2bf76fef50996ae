// Problems made per second by the generator's core: per problem the operator
// draw from all four operations, both operands over 1 to 100 with the answer,
// the answer text, the blank draw from all three formats and the blanked text.

#include "arithmetic.h"
#include "choice.h"
#include "random_source.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr OperationBoxes AllOperations = {true, true, true, true};
constexpr FormatBoxes AllFormats = {true, true, true};

// Makes `count` problems and returns a checksum of their texts, so that no
// work can be left out.
qsizetype makeProblems(RandomSource& source, long count) {
    qsizetype checksum = 0;
    for (long i = 0; i < count; ++i) {
        const Operator op = chooseOperatorFrom(AllOperations, source);
        const Problem problem = drawProblem(op, 1, 100, source);
        const QString answer = problem.answerText();
        const QString blanked = blankedText(problem, chooseBlankFrom(AllFormats, source));
        checksum += answer.size() + blanked.size() + answer.back().unicode();
    }
    return checksum;
}

} // namespace

int main(int argc, char** argv) {
    const long perRun = argc > 1 ? std::atol(argv[1]) : 2'000'000;
    constexpr int Runs = 7;

    RandomSource source;
    qsizetype checksum = makeProblems(source, perRun / 10); // warm-up
    std::vector<double> rates;
    for (int run = 0; run < Runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        checksum += makeProblems(source, perRun);
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        rates.push_back(double(perRun) / seconds.count());
    }
    std::sort(rates.begin(), rates.end());
    std::printf("problems per second: median %.0f (min %.0f, max %.0f) over %d runs of %ld\n",
                rates[Runs / 2], rates.front(), rates.back(), Runs, perRun);
    std::printf("checksum %lld\n", static_cast<long long>(checksum));
    return 0;
}
