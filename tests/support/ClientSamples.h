#pragma once

#include "clients/ClientRecord.h"

#include <QStringList>

// Иванов Иван Иванович with a national passport and no expiry date, as the
// add command stores him.
ClientFields IvanovFields();

// A client that passes every check; its passport number (n, seven digits)
// tells clients apart.
ClientFields ValidClientFields(int n = 1, int docType = 0);

// The thirteen fields of a client text line that passes every check for a
// national passport; its passport number is 1000000 + n.
QStringList ClientLineFields(int n);
