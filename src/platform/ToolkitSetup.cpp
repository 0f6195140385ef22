#include "platform/ToolkitSetup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace tonlira {
namespace {

constexpr const char* standardCatalogue = "qtbase";
// A folder that can never be created: a settings file below it is neither
// read nor written, silently.
constexpr const char* nowhere = "/dev/null";

}  // namespace

bool loadGermanStandardTexts() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) {
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    const bool loaded = translator->load(QLocale(QLocale::German), QString::fromLatin1(standardCatalogue),
                                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator.get())) {
        return false;
    }
    // From here the application object owns it, so it lives as long as the dialogs.
    translator.release()->setParent(app);
    return true;
}

void keepToolkitSettingsOffDisk() {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QString::fromLatin1(nowhere));
    }
}

}  // namespace tonlira
