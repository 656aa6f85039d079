#pragma once

#include "common/BankFileVerifier.h"

#include <QDate>

// The fields of a client list file (CLSV), for the bank file verifier: the
// header's codes and moment of saving, each client's sex code, document
// code, dates and taxpayer number. Line numbers run 0000000001, 0000000002 ...
// without a gap, so the trailer's is the number of clients + 2.
class ClientListRules final : public BankFileRules
{
public:
    // A date with a one- or two-digit year is placed around currentYear, as
    // the client window reads it.
    explicit ClientListRules(int currentYear) : m_currentYear(currentYear) {}
    // The same, and the client list's warnings as of today.
    explicit ClientListRules(QDate today) : m_currentYear(today.year()), m_today(today) {}

    QString kind() const override;
    QString kindId() const override;
    QString namePrefix() const override;
    qsizetype headerFieldCount() const override { return 5; }
    qsizetype detailFieldCount() const override { return 20; }
    QString detailLabel() const override;
    bool consecutiveLineNumbers() const override { return true; }
    void checkHeader(const QStringList &fields, qsizetype line, VerifyReport &report) const override;
    void checkDetail(const QStringList &fields, qsizetype line, VerifyReport &report) const override;
    // The name's bank codes against the header's; its stamp is not compared,
    // since a list saved over keeps its name and takes a new moment.
    void checkFileName(const QString &name, const QStringList &fields, VerifyReport &report) const override;
    std::unique_ptr<BankFileWarner> warner() const override;

private:
    int m_currentYear;
    QDate m_today; // invalid: no warnings
};
