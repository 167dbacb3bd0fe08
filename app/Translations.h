#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

#include <optional>
#include <string>

namespace vanemark {

// The interface language of one run: the program's own texts and Qt's (the
// colour and font dialogs, message-box buttons). A text without a
// translation stays English, one by one, so a half-done language still works.
class Translations {
public:
    // `language` is a code such as "de" or "ru_RU"; none means the desktop's
    // locale, and "en" forces English.
    explicit Translations(const std::optional<std::string>& language = std::nullopt);
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

    // Hands the translators to the running application; they stay in force
    // while this object lives.
    void Install();

    // Translates before the application exists (the command-line help).
    QString Text(const char* context, const char* source) const;

private:
    QLocale locale;
    QTranslator own;
    QTranslator qt;
    bool ownLoaded = false;
    bool qtLoaded = false;
    bool installed = false;
};

} // namespace vanemark
