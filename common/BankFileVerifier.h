#pragma once

#include "common/Money.h"

#include <QByteArrayView>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The bank's side of a file: every line ends TAB CR LF; an H line first,
// then D lines, then one T line; line numbers 0000000001 and increasing
// (by one, for kinds that say so); the trailer's CRC-32 over the header and
// detail lines without line ends. What differs between kinds of file (their
// fields) is a BankFileRules.

// An error or a warning. The code and field are stable English names for
// scripts ("crc-mismatch", "crc"); the text is the report's.
struct VerifyProblem
{
    qsizetype line = 0; // 1-based; 0 for the file as a whole
    QString code;
    QString field;
    QString text;
};

struct VerifyReport
{
    QString kind;                 // e.g. "payroll register (ZPSV)"
    QString kindId;               // "payroll", "clients"; "unknown" when no rules fit
    QString detailLabel = QStringLiteral("Detail lines"); // what the summary calls them
    qsizetype detailLines = 0;
    std::optional<Money> total;   // kinds with amounts only, while within the range
    bool totalBeyondRange = false;
    QString storedCrc;            // the trailer's text, empty without one
    QString computedCrc;
    QList<VerifyProblem> problems;
    qsizetype unlistedProblems = 0; // beyond kMaxListedProblems
    QList<VerifyProblem> warnings;  // never make a file unclean
    qsizetype unlistedWarnings = 0;

    // Enough for any real file; a pathological one cannot exhaust memory.
    static constexpr qsizetype kMaxListedProblems = 100'000;

    bool clean() const { return problems.isEmpty(); }
    void add(qsizetype line, const QString &code, const QString &field, const QString &text)
    {
        if (problems.size() < kMaxListedProblems)
            problems.append({line, code, field, text});
        else
            ++unlistedProblems;
    }
    void warn(qsizetype line, const QString &code, const QString &field, const QString &text)
    {
        if (warnings.size() < kMaxListedProblems)
            warnings.append({line, code, field, text});
        else
            ++unlistedWarnings;
    }
};

// Gathers a file's detail lines to warn about them once all are read (a
// card on two lines); made afresh for every file.
class BankFileWarner
{
public:
    virtual ~BankFileWarner() = default;
    virtual void detail(const QStringList &fields, qsizetype line) = 0;
    virtual void finish(VerifyReport &report) = 0;
};

// The fields of one kind of bank file. Fields are given without the empty
// text after the trailing TAB.
class BankFileRules
{
public:
    virtual ~BankFileRules() = default;
    virtual QString kind() const = 0;
    virtual QString kindId() const = 0;                // "payroll"
    virtual QString namePrefix() const = 0;            // "ZPSV"
    virtual qsizetype headerFieldCount() const = 0;
    virtual qsizetype detailFieldCount() const = 0;
    virtual QString detailLabel() const { return QStringLiteral("Detail lines"); }
    // Every line number one more than the line's before, so that the
    // trailer's is the number of detail lines + 2.
    virtual bool consecutiveLineNumbers() const { return false; }
    // Called before any line is checked; sets up the report (e.g. a total).
    virtual void begin(VerifyReport &) const {}
    virtual void checkHeader(const QStringList &fields, qsizetype line, VerifyReport &report) const = 0;
    virtual void checkDetail(const QStringList &fields, qsizetype line, VerifyReport &report) const = 0;
    // The file's name (without folders) against its header line.
    virtual void checkFileName(const QString &, const QStringList &, VerifyReport &) const {}
    // Nothing for kinds without warnings.
    virtual std::unique_ptr<BankFileWarner> warner() const { return nullptr; }
};

using BankFileKinds = QList<const BankFileRules *>;

// The rules for a file among kinds: by its first line, an H line of a kind's
// header field count, whatever the file is called; else by its name's
// prefix; nullptr when neither tells.
const BankFileRules *RulesForFile(const QString &fileName, QByteArrayView bytes, const BankFileKinds &kinds);

VerifyReport VerifyBankFile(QByteArrayView bytes, const BankFileRules &rules, const QString &fileName = QString());
// Chooses the rules with RulesForFile; an unknown kind is a problem.
VerifyReport VerifyBankFile(const QString &fileName, QByteArrayView bytes, const BankFileKinds &kinds);

// The problems, one a line, then the summary, the warnings and their count,
// and the verdict last.
QStringList FormatVerifyReport(const VerifyReport &report);

// The report as one object: kind ("payroll", "clients"), file, ok, rows,
// total (plain form; null beyond the range; kinds with amounts only), crc
// {stored, computed}, errors and warnings as lists of {line, field, code,
// message}.
QJsonObject VerifyReportJson(const VerifyReport &report, const QString &file, bool ok);

// A field's text as a problem quotes it: in double quotes, long texts cut.
QString QuotedField(const QString &text);
