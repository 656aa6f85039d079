#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

// Qt's Russian catalogue leaves the standard "OK" button in Latin letters.
class ButtonTextFixes : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (std::strcmp(context, "QPlatformTheme") == 0 && std::strcmp(source, "OK") == 0)
            return QStringLiteral("ОК");
        return {};
    }
};

} // namespace

bool InstallRussianDialogs(QCoreApplication &app)
{
    const QLocale russian = RussianLocale();
    auto *translator = new QTranslator(&app);
    if (!translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    // Installed last, so asked first.
    return QCoreApplication::installTranslator(translator)
            && QCoreApplication::installTranslator(new ButtonTextFixes(&app));
}

QLocale RussianLocale()
{
    return QLocale(QLocale::Russian, QLocale::Russia);
}
