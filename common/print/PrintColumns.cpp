#include "common/print/PrintColumns.h"

QString AlignLeft(const QString &text, qsizetype width)
{
    return text.size() < width ? text + QString(width - text.size(), u' ') : text;
}

QString AlignRight(const QString &text, qsizetype width)
{
    return text.size() < width ? QString(width - text.size(), u' ') + text : text;
}

QString CutToColumn(const QString &text, qsizetype width)
{
    return AlignLeft(text.left(width - 1), width);
}

QString PadRowNumber(qint64 n)
{
    return AlignLeft(QString::number(n), 4);
}

QString PadName(const QString &name)
{
    return CutToColumn(name, 41);
}
