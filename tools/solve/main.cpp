// gridhollow_solve: solves puzzles step by step with the game's logical stepper and prints each
// step. Reads puzzles from standard input, one a line of 81 characters (1 to 9 a given, 0 or .
// an empty cell); prints for each one line per step, the technique then its conclusion:
//   HIDDEN_SINGLE place r4c5=7
//   POINTING eliminate r1c7-3 r1c8-3
// (rows and columns 1 to 9, after the minus sign the digits leaving that cell), and a last line:
// `solved`, `stuck` (the known techniques find no step: a guess is needed) or `invalid` (the line
// is no puzzle, or its givens contradict each other).
// The exit code is 1 when a line was invalid, 0 otherwise.
#include <cstdio>
#include <iostream>
#include <string>

#include "sudoku/logic.h"

namespace {

// The puzzle of a line, false when it is not 81 digits or dots (a carriage return is allowed).
bool read_puzzle(std::string line, uint8_t digits[81]) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 81) return false;
    for (int cell = 0; cell < 81; ++cell) {
        const char c = line[cell];
        if (c == '.')
            digits[cell] = 0;
        else if (c >= '0' && c <= '9')
            digits[cell] = static_cast<uint8_t>(c - '0');
        else
            return false;
    }
    return true;
}

void print_step(const LogicStep& step) {
    std::string name = technique_name(step.technique);
    for (char& c : name)
        if (c == ' ' || c == '-') c = '_';
    std::printf("%s", name.c_str());
    if (step.cell >= 0) {
        std::printf(" place r%dc%d=%d\n", step.cell / 9 + 1, step.cell % 9 + 1, step.digit);
        return;
    }
    std::printf(" eliminate");
    for (int cell = 0; cell < 81; ++cell) {
        if (!step.removed[cell]) continue;
        std::printf(" r%dc%d-", cell / 9 + 1, cell % 9 + 1);
        for (int digit = 1; digit <= 9; ++digit)
            if (step.removed[cell] & (1 << digit)) std::printf("%d", digit);
    }
    std::printf("\n");
}

// Steps through one puzzle; returns the last line's word.
const char* solve(const uint8_t digits[81]) {
    LogicGrid grid;
    if (!logic_start(digits, grid)) return "invalid";
    for (;;) {
        bool solved = true;
        for (uint8_t digit : grid.digit) solved &= digit != 0;
        if (solved) return "solved";
        const LogicStep step = logic_next_step(grid);
        if (step.technique == Technique::none) return "stuck";
        print_step(step);
        if (!logic_apply(grid, step)) return "invalid";
    }
}

} // namespace

int main() {
    int status = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        uint8_t digits[81];
        const char* end = read_puzzle(line, digits) ? solve(digits) : "invalid";
        std::printf("%s\n", end);
        if (std::string(end) == "invalid") status = 1;
    }
    return status;
}
