#include "clients/ui/ClientListPrinting.h"

#include "clients/ClientListPrintout.h"
#include "common/ui/PrintJob.h"
#include "settings/SettingsRecord.h"

using namespace Qt::StringLiterals;

namespace {

PrintJob ClientListJob(const ClientRecords &clients)
{
    return PrintJob(LayOutClientList(clients, ReadSettingsRecord()), u"Данные о сотрудниках"_s);
}

} // namespace

bool PrintClientList(QWidget *parent, Dialogs &dialogs, const ClientRecords &clients)
{
    return ClientListJob(clients).print(parent, dialogs);
}

void PreviewClientList(QWidget *parent, Dialogs &dialogs, const ClientRecords &clients)
{
    ClientListJob(clients).preview(parent, dialogs);
}
