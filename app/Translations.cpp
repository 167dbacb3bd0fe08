#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vanemark {

namespace {

// Where the build embeds the compiled translations.
constexpr auto kOwnFolder = ":/i18n";

bool IsEnglish(const QLocale& locale)
{
    return locale.language() == QLocale::English || locale.language() == QLocale::C;
}

} // namespace

Translations::Translations(const std::optional<std::string>& language)
    : locale(language ? QLocale(QString::fromStdString(*language)) : QLocale::system())
{
    // English is the source language: nothing to load, and no Qt file
    // either, so that "--language en" on a German desktop is English throughout.
    if (IsEnglish(locale)) {
        return;
    }
    ownLoaded = own.load(locale, QStringLiteral("vanemark"), QStringLiteral("_"), QString::fromLatin1(kOwnFolder));
    qtLoaded = qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Translations::~Translations()
{
    if (installed && QCoreApplication::instance() != nullptr) {
        QCoreApplication::removeTranslator(&own);
        QCoreApplication::removeTranslator(&qt);
    }
}

void Translations::Install()
{
    if (installed || QCoreApplication::instance() == nullptr) {
        return;
    }
    installed = true;
    if (qtLoaded) {
        QCoreApplication::installTranslator(&qt);
    }
    if (ownLoaded) {
        QCoreApplication::installTranslator(&own);
    }
}

QString Translations::Text(const char* context, const char* source) const
{
    if (ownLoaded) {
        QString text = own.translate(context, source);
        if (!text.isEmpty()) {
            return text;
        }
    }
    return QString::fromUtf8(source);
}

} // namespace vanemark
