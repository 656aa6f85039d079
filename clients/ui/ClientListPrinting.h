#pragma once

#include "clients/ClientRecords.h"


class Dialogs;
class QWidget;

// The client window's printing: the list laid out from the table's rows,
// with the bank details read afresh from "settings.ini". Both may throw
// UserError; they run inside the caller's Guarded().

// The printer dialog, then the list with the dialog's choices. False when
// the dialog was cancelled: nothing is printed.
bool PrintClientList(QWidget *parent, Dialogs &dialogs, const ClientRecords &clients);

// The print preview of the same pages.
void PreviewClientList(QWidget *parent, Dialogs &dialogs, const ClientRecords &clients);
