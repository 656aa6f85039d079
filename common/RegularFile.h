#pragma once

#include <QString>

// Opening a FIFO blocks until a writer comes, and a device or folder is no
// document: readers refuse anything but a regular file before opening it.

// Empty when path is a regular file or does not exist (opening it then says
// so); otherwise the user's message naming it.
QString NotRegularFileMessage(const QString &path);

// Throws UserError with that message.
void RequireRegularFile(const QString &path);
