// The players and their high-score table.
#pragma once

#include "run/state.h"
