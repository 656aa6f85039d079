#pragma once

#include "clients/ClientRecords.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// A client list file read back for the client table.
struct ClientListContents
{
    // Every client in file order, column 0 numbered from 1.
    ClientRecords records;
    // The file held 500 clients or more, as many as may be added by hand:
    // show ClientLimitMessage().
    bool limitReached = false;
    // The last line is a trailer ("T" first).
    bool hasTrailer = false;
    // The trailer's checksum is that of the header and every detail line.
    // Never verified as a condition of loading: hand-edited files still load.
    bool checksumMatches = false;
};

// The file's bytes taken apart. Throws UserError, before anything could be
// touched: ClientBadFormatMessage() for an empty file or a first line that
// neither starts with "H" nor has a TAB second; ClientShortLineMessage(n)
// for a client line of fewer than 20 fields; ClientZeroByteLineMessage(n)
// for a zero byte, which would otherwise end the file unseen. The last line is a trailer only
// when its first field is "T"; otherwise it is a client.
ClientListContents ReadClientList(QByteArrayView bytes);

// ReadClientList of the file at path. Throws UserError "Cannot open file
// "%s". %s" when it cannot be read, or the size message for a file too
// large to load.
ClientListContents LoadClientList(const QString &path);
