#pragma once

#include "common/BankFileVerifier.h"

// The fields of a payroll register file (ZPSV), for the bank file verifier.
const BankFileRules &PayrollFileRules();
