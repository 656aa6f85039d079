#include "payroll/PayrollRecovery.h"

#include "common/RecoveryBytes.h"

using namespace Qt::StringLiterals;

namespace {

constexpr quint64 kFormat = 1;

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

RecoveryStore PayrollRecoveryStore(const QString &workingFolder)
{
    return RecoveryStore(PayrollRecoveryKind(), workingFolder);
}

QByteArray EncodePayrollRecovery(const PayrollRecovery &copy)
{
    RecoveryBytesWriter out;
    const qsizetype rows = copy.rows.size();
    out.reserve(256 + rows * 64);
    out.putNumber(kFormat);
    out.putNumber(quint64(copy.takenAt.toMSecsSinceEpoch()));
    out.putText(copy.header.registerNumber);
    out.putText(copy.header.date);
    out.putNumber(quint64(copy.header.monthIndex + 1));
    out.putText(copy.header.year);
    out.putText(copy.openedFile);
    out.putText(copy.openedHeaderLine);
    out.putNumber(quint64(rows));
    for (qsizetype row = 0; row < rows; ++row) {
        out.putText(copy.rows.name(row));
        out.putText(copy.rows.card(row));
        out.putText(copy.rows.amount(row));
    }
    return out.take();
}

std::optional<PayrollRecovery> DecodePayrollRecovery(QByteArrayView bytes)
{
    RecoveryBytesReader in(bytes);
    PayrollRecovery copy;
    quint64 format = 0, takenAt = 0, month = 0, rows = 0;
    if (!in.getNumber(format) || format != kFormat || !in.getNumber(takenAt) || !in.getText(copy.header.registerNumber)
        || !in.getText(copy.header.date) || !in.getNumber(month) || month > 12 || !in.getText(copy.header.year)
        || !in.getText(copy.openedFile) || !in.getText(copy.openedHeaderLine) || !in.getNumber(rows)
        || rows > quint64(bytes.size()) / 3)
        return std::nullopt;
    copy.takenAt = QDateTime::fromMSecsSinceEpoch(qint64(takenAt));
    copy.header.monthIndex = int(month) - 1;
    copy.rows.reserve(qsizetype(rows));
    QString name, card, amount;
    for (quint64 row = 0; row < rows; ++row) {
        if (!in.getText(name) || !in.getText(card) || !in.getText(amount))
            return std::nullopt;
        copy.rows.append(name, card, amount);
    }
    if (!in.atEnd())
        return std::nullopt;
    return copy;
}

bool WritePayrollRecovery(const RecoveryStore &store, const PayrollRecovery &copy, QString *errorString)
{
    return store.write(EncodePayrollRecovery(copy), errorString);
}

PayrollRecoveryRead ReadPayrollRecovery(const RecoveryStore &store)
{
    RecoveryStore::Read read = store.read();
    if (read.state != RecoveryStore::Read::State::Found)
        return {std::nullopt, read.note};
    std::optional<PayrollRecovery> copy = DecodePayrollRecovery(read.body);
    if (!copy)
        return {std::nullopt, store.setAside()};
    return {std::move(copy), {}};
}

QString PayrollRecoveryQuestion(const PayrollRecovery &copy)
{
    const QString number = copy.header.registerNumber.trimmed();
    const QString document = number.isEmpty() ? u"ведомость без номера"_s : u"ведомость № "_s + number;
    const qsizetype rows = copy.rows.size();
    return u"Найдены несохранённые данные от %1 (%2, %3 %4). Восстановить?"_s.arg(
        copy.takenAt.toLocalTime().toString(u"dd.MM.yyyy HH:mm"_s), document, QString::number(rows), RowsWord(rows));
}
