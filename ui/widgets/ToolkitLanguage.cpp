#include "ui/widgets/ToolkitLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Fasoria {

bool useToolkitLanguage(Language language)
{
    static QTranslator *translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (isEnglish(language)) {
        return true;
    }
    auto *italian = new QTranslator;
    if (!italian->load(QStringLiteral("qtbase_it"), QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        delete italian;
        return false;
    }
    QCoreApplication::installTranslator(italian);
    translator = italian;
    return true;
}

} // namespace Fasoria
