#include "common/ui/DetachChildren.h"

#include <QCoreApplication>
#include <QObject>

void DetachChildren(QObject *window)
{
    for (QObject *child : window->findChildren<QObject *>())
        QObject::disconnect(child, nullptr, window, nullptr);
    if (QCoreApplication *app = QCoreApplication::instance())
        QObject::disconnect(app, nullptr, window, nullptr);
}
