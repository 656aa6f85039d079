#pragma once

class QObject;

// A window's children outlive its own destructor: Qt deletes them in the
// base class's, and on the way they emit (focus moves, undo stacks clear).
// Called first in a window's destructor, this cuts every connection from
// its children, and from the application, to the window.
void DetachChildren(QObject *window);
