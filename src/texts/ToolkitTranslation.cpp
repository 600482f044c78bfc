#include "ToolkitTranslation.h"

#include "Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

const char *catalogueOf(quint8 languageIndex)
{
    switch (languageIndex) {
    case LanguageGerman:
        return "qtbase_de";
    case LanguageCzech:
        return "qtbase_cs";
    default:
        return nullptr;
    }
}

} // namespace

bool installToolkitTranslation(quint8 languageIndex)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const char *catalogue = catalogueOf(languageIndex);
    if (!catalogue)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromLatin1(catalogue), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}
