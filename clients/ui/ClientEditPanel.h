#pragma once

#include "clients/ClientChecks.h"
#include "clients/ClientRecord.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
namespace Ui { class ClientEditPanel; }

// "Данные клиента": one field per part of a client, each with its mask,
// limit, hint and key filter; the change marks on their labels; and the
// client's texts to and from the fields. Typed and pasted text stays within
// Windows-1251, and the note on a changed or refused character shows in
// inputNote, over the field's label.
class ClientEditPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ClientEditPanel(QWidget *parent = nullptr);
    ~ClientEditPanel() override;

    // Masked fields in their stored form.
    ClientFields fields() const;
    // As loading a record sets them: the document type is set, not chosen,
    // so series and number and their limits stay.
    void setFields(const ClientFields &fields);
    // As loading a record shows it: set, then no field marked changed.
    void showFields(const ClientFields &fields);
    void showRecord(const ClientRecord &record) { showFields(FieldsFromRecord(record)); }
    // Every text emptied, the sex "Мужской"; the document type stays.
    void clearFields();

    void clearChangeMarks();
    void focusField(ClientField field);
    // The checks of the add and edit commands; a failure focuses its field.
    ClientCheckResult check(int currentYear);
    QWidget *fieldWidget(ClientField field) const;

signals:
    // A field was marked changed (true), or every mark cleared (false).
    void marksChanged(bool marked);

private:
    void docTypeChange();
    void markFieldChanged(QLabel *label);
    void applyLengthLimits();
    void showNote(QLineEdit *edit, const QString &note);

    std::unique_ptr<Ui::ClientEditPanel> ui;
    QList<QLabel *> m_markedLabels;
    // The series and number limits of the last document type chosen.
    int m_seriesLimit;
    int m_numberLimit;
    // The shown type changed since the program set it or the user chose it.
    bool m_docTypeChanged = false;
};
