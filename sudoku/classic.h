// Classic puzzles: exactly one solution each, graded by the qqwing library, made in the background.
//
// qqwing makes a puzzle with one solution and as few givens as it can; cells of its solution are
// given back until the puzzle has the grade a level asks for, and then, further, the cells that
// keep that grade: the first levels of a grade get more of them, its last level none. A puzzle of
// each grade is kept made ahead on a thread of its own, so a level start takes one at once.
// qqwing draws from the C library's rand(); the designed puzzles draw from nextrandom() only.
#pragma once
#include <cstdint>

// qqwing's grades, easiest first: singles only, hidden singles, pairs and intersections, guesses.
enum ClassicGrade { GRADE_SIMPLE, GRADE_EASY, GRADE_INTERMEDIATE, GRADE_EXPERT, GRADE_COUNT };

// A puzzle of one grade as it is made ahead: the puzzle (0 for an empty cell), its solution, and
// the empty cells that may be given, in order, each keeping the grade with those before it.
struct ClassicBase {
    int32_t puzzle[81] = {};
    int32_t solution[81] = {};
    int8_t givable[81] = {};
    int givable_count = 0;
};

// qqwing's puzzle with one solution and as few givens as it can (81 cells, 0 for empty), and that
// solution; draws from rand().
void qqwingpuzzle(int32_t* puzzle, int32_t* solution);
// The grade a level asks for: 1-20 simple, 21-45 easy, 46-75 intermediate, 76-99 expert.
ClassicGrade classicgrade(int lvl);
// qqwing's grade of a puzzle (81 cells, 0 for empty); GRADE_COUNT when it cannot be solved.
int gradepuzzle(const int32_t* puzzle);
// Makes a puzzle of the grade, every draw from the seed (srand). Takes some milliseconds, up to
// some tens for the two hardest grades.
ClassicBase classicbase(ClassicGrade grade, unsigned seed);
// The level's puzzle from a base of its grade into grid and solution: the base's puzzle and as many
// of its givable cells as the level's place in its grade allows.
void classicpuzzle(const ClassicBase& base, int lvl, int32_t* grid, int32_t* solution);

// Starts making, in the background, a puzzle of each grade that is not made yet.
void classic_stock();
// Takes the made puzzle of the level's grade, waiting while it is still being made, and starts
// making the next one. Called by the level start in classic mode.
ClassicBase classic_take(int lvl);
// Waits for the background to finish its current puzzle and forgets every made one (game_Reset).
void classic_reset();
