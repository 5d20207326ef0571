#pragma once

// The rounding rule of the whole program lives in the shell library.
#include "shell/round_even.h"
