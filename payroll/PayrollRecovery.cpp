#include "payroll/PayrollRecovery.h"

using namespace Qt::StringLiterals;

namespace {

// "строка", "строки" or "строк" after count.
QString RowsWord(qsizetype count)
{
    const qsizetype tens = count % 100;
    const qsizetype units = count % 10;
    if (tens >= 11 && tens <= 14)
        return u"строк"_s;
    if (units == 1)
        return u"строка"_s;
    if (units >= 2 && units <= 4)
        return u"строки"_s;
    return u"строк"_s;
}

} // namespace

void PayrollRecovery::putFields(RecoveryBytesWriter &out) const
{
    out.reserve(256 + rows.size() * 64);
    out.putText(header.registerNumber);
    out.putText(header.date);
    out.putNumber(quint64(header.monthIndex + 1));
    out.putText(header.year);
    out.putText(openedFile);
    out.putText(openedHeaderLine);
    out.putNumber(quint64(rows.size()));
    for (qsizetype row = 0; row < rows.size(); ++row) {
        out.putText(rows.name(row));
        out.putText(rows.card(row));
        out.putText(rows.amount(row));
    }
}

bool PayrollRecovery::getFields(RecoveryBytesReader &in)
{
    quint64 month = 0, count = 0;
    if (!in.getText(header.registerNumber) || !in.getText(header.date) || !in.getNumber(month) || month > 12
        || !in.getText(header.year) || !in.getText(openedFile) || !in.getText(openedHeaderLine)
        || !in.getNumber(count) || count > quint64(in.remaining()) / 3)
        return false;
    header.monthIndex = int(month) - 1;
    rows.reserve(qsizetype(count));
    QString name, card, amount;
    for (quint64 row = 0; row < count; ++row) {
        if (!in.getText(name) || !in.getText(card) || !in.getText(amount))
            return false;
        rows.append(name, card, amount);
    }
    return true;
}

QString PayrollRecoveryQuestion(const PayrollRecovery &copy)
{
    const QString number = copy.header.registerNumber.trimmed();
    const QString document = number.isEmpty() ? u"ведомость без номера"_s : u"ведомость № "_s + number;
    const qsizetype count = copy.rows.size();
    return RecoveryQuestion(copy.takenAt, u"%1, %2 %3"_s.arg(document, QString::number(count), RowsWord(count)));
}
