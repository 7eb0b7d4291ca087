#include "LanguageFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

QString languageFileName(const QString& language, const QString& programName) {
    return language + "_" + programName + ".qm";
}

LanguageOutcome loadLanguageFile(const LanguagePreference& preference, const QString& programFolder,
                                 const QString& programName, QTranslator& translator,
                                 IUserInterface& ui) {
    if (preference.builtIn) return LanguageOutcome::kBuiltIn;
    const QString name = languageFileName(QString::fromStdString(preference.Language), programName);
    const QString path = programFolder + "/" + name;
    if (!QFileInfo(path).isFile()) {
        if (preference.ReportingLevel <= 0)
            ui.messageBox("", "Can't find DLL \"" + name.toStdString() + "\"");
        return LanguageOutcome::kMissing;
    }
    if (!translator.load(path)) {
        if (preference.ReportingLevel <= 1)
            ui.messageBox("", "LoadLibrary failure for DLL \"" + name.toStdString() + "\"");
        return LanguageOutcome::kUnloadable;
    }
    QCoreApplication::installTranslator(&translator);
    return LanguageOutcome::kLoaded;
}
