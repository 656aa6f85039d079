#include "common/ui/ErrorGuard.h"

#include "common/TextRoutines.h"
#include "common/UserError.h"
#include "common/ui/Dialogs.h"

#include <exception>

bool Guarded(QWidget *parent, Dialogs &dialogs, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const UserError &e) {
        dialogs.error(parent, WithFullStop(e.text()));
    } catch (const std::exception &e) {
        dialogs.error(parent, WithFullStop(QString::fromLocal8Bit(e.what())));
    }
    return false;
}
