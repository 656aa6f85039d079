#include "common/ui/Cp1251InputFilter.h"

#include "common/Cp1251.h"
#include "common/Cp1251Fit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

using namespace Qt::StringLiterals;

namespace {

QChar WithoutYo(QChar c)
{
    switch (c.unicode()) {
    case 0x0401: return QChar(0x0415); // Ё -> Е
    case 0x0451: return QChar(0x0435); // ё -> е
    default: return QChar();
    }
}

QString YoNote(QChar yo, QChar usual)
{
    return u"Вставлено с заменой «"_s + yo + u"» на «"_s + usual + u"»: поле не принимает эту букву."_s;
}

} // namespace

// Pasted or dropped text: the same spellings, and a text the code page
// cannot hold is refused whole. Typed keys reach it already fitted.
class Cp1251InputFilter::Validator : public QValidator
{
public:
    explicit Validator(Cp1251InputFilter *filter) : QValidator(filter), m_filter(filter) {}

    State validate(QString &input, int &) const override
    {
        const Cp1251Fit fit = Cp1251Fit::of(input);
        if (const QString note = fit.note(); !note.isEmpty())
            emit m_filter->noted(m_filter->m_edit, note);
        if (!fit.accepted())
            return Invalid;
        // The replacements are one letter for one, so the cursor stays.
        input = fit.text;
        return Acceptable;
    }

private:
    Cp1251InputFilter *m_filter;
};

Cp1251InputFilter::Typed Cp1251InputFilter::fitTyped(QStringView typed, const Accepts &accepts)
{
    const auto takes = [&](QChar c) { return !accepts || accepts(c); };
    Typed out;
    for (qsizetype i = 0; i < typed.size();) {
        const bool pair = typed[i].isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate();
        const QStringView unit = typed.mid(i, pair ? 2 : 1);
        i += unit.size();
        const QChar c = unit[0];
        if (!pair && Cp1251::canEncode(c)) {
            const QChar usual = WithoutYo(c);
            if (takes(c))
                out.text += c;
            else if (!usual.isNull() && takes(usual)) {
                out.text += usual;
                out.note = YoNote(c, usual);
            }
            continue;
        }
        const QChar usual = pair ? QChar() : UsualCp1251Letter(c);
        if (!usual.isNull() && takes(usual)) {
            out.text += usual;
            out.note = Cp1251Fit::of(unit).note();
        } else {
            out.note = RefusedCharacterNote(unit);
        }
    }
    return out;
}

Cp1251InputFilter *Cp1251InputFilter::attach(QLineEdit *edit, Accepts accepts)
{
    auto *filter = new Cp1251InputFilter(edit, std::move(accepts));
    edit->setValidator(new Validator(filter));
    edit->installEventFilter(filter);
    return filter;
}

Cp1251InputFilter::Cp1251InputFilter(QLineEdit *edit, Accepts accepts)
    : QObject(edit)
    , m_edit(edit)
    , m_accepts(std::move(accepts))
{
}

bool Cp1251InputFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return false;
    if (event->type() == QEvent::FocusOut) {
        emit noted(m_edit, QString());
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    // Control characters (Backspace, Enter) and shortcuts such as paste pass.
    const bool shortcut = (key->modifiers() & Qt::ControlModifier) && !(key->modifiers() & Qt::AltModifier);
    if (shortcut || text.isEmpty() || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F)
        return false;
    const Typed typed = fitTyped(text, m_accepts);
    if (!typed.note.isEmpty())
        emit noted(m_edit, typed.note);
    if (typed.text == text)
        return false;
    if (!typed.text.isEmpty())
        m_edit->insert(typed.text);
    return true;
}
