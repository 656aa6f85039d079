#pragma once

#include "common/GridPaging.h"

// The payroll grid pages by 20 rows of 26 pixels, to the nearest page.
inline constexpr GridPaging kPayrollPaging{20, 26, GridPaging::Rounding::Nearest};
