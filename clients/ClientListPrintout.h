#pragma once

#include "clients/ClientRecords.h"
#include "common/print/PrintColumns.h"
#include "common/print/Printout.h"
#include "settings/SettingsRecord.h"

#include <QList>
#include <QString>

// The printed client list, laid out as page items (common/print).

// Columns of a row line, each exactly its width: a longer text is cut one
// short of the width and followed by one blank.
QString PadBirthDate(const QString &text);   // 16
QString PadPassport(const QString &text);    // 15
QString PadInn(const QString &text);         // 13

// The whole list, each page laid out when it is asked for: the bank details
// as stored, the title and the column header on page 1, one row line per
// client numbered by its position, and the closing rule. An empty list
// prints one row numbered 1 with blank columns.
Printout LayOutClientList(const ClientRecords &clients, const SettingsRecord &settings);
