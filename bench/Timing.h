#pragma once

#include <string>
#include <vector>

// Seconds since an arbitrary start, from the performance counter.
double now();

// The middle value; for an even count the mean of the two middle ones.
double median(std::vector<double> values);

// The median over the rounds of mine / (factor x bare), each round's two
// sides taken close together in time: a spell of the machine running slow
// that spans a round then cancels out, where it would shift one side's
// median alone.
double medianRatio(const std::vector<double>& mine, const std::vector<double>& bare,
                   double factor = 1);

// Times of the two sides of one figure, one entry per round.
struct Rounds {
    std::vector<double> mine;
    std::vector<double> bare;
};

// Runs both sides round by round, the side that goes first changing each
// round, so that a busy spell of the machine or a cache warmed by the one
// before hits both alike. Each side returns the seconds it measured itself,
// leaving out its own preparation and clean-up.
template <typename Mine, typename Bare>
Rounds interleave(int rounds, Mine mine, Bare bare) {
    Rounds result;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            result.mine.push_back(mine());
            result.bare.push_back(bare());
        } else {
            result.bare.push_back(bare());
            result.mine.push_back(mine());
        }
    }
    return result;
}

// One line of the result table: the median time of each side, and their
// ratio (see medianRatio), with a bound on it as the goal.
struct Figure {
    std::string name;
    std::string mineText;
    std::string bareText;
    double ratio = 0;
    bool atLeast = false;  // the goal is a lower bound (speeds), not an upper one
    double goal = 0;
    int rounds = 0;

    bool met() const { return atLeast ? ratio >= goal : ratio <= goal; }
};

// The table, then one "figure NAME ratio R goal <=G ok|over" line each, the
// form that scripts read.
void printFigures(const std::vector<Figure>& figures);

// printf to standard output, flushed at once so that a long run shows where
// it is.
void say(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
