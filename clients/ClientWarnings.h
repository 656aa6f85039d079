#pragma once

#include "clients/ClientRecords.h"
#include "common/Warning.h"

#include <QDate>

// What the bank may well refuse in a client list that the save accepts: a
// document past its expiry date, a client under 16, a taxpayer number on more
// than one client, the same person (names and date of birth) with another
// document, and an empty field that adding a client in the window asks for
// (place of birth, tax office, mobile number, issuing authority). Dates are
// read as the client window reads them; one it cannot read is left to the
// checks. Columns are ClientColumn's.
QList<Warning> ClientWarnings(const ClientRecords &records, QDate today, const RowNumbering &numbering = {});

// Full years from birth to today; one born on 29 February comes of a new
// year on 1 March in a common year.
int AgeOn(QDate birth, QDate today);

inline constexpr int kMinClientAge = 16;
