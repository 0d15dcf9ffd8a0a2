// Counting of every heap allocation the benchmark process makes, for the per-frame figures.
#pragma once

// Allocations made through operator new since the process started.
long allocations_so_far();
