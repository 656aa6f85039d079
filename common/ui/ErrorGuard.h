#pragma once

#include <functional>

class Dialogs;
class QWidget;

// Runs one event handler; a UserError it throws ends the handler and is
// shown by the general error display. No exception crosses the event loop.
// Returns false when the handler ended with an error.
bool Guarded(QWidget *parent, Dialogs &dialogs, const std::function<void()> &handler);
