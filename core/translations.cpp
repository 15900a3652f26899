#include "core/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char QT_CATALOGUE[] = "qtbase";
const char SEPARATOR[] = "_";

bool Written_Language(const QLocale &language)
{
  return language.language() == QLocale::C || language.language() == QLocale::English;
}

}  // namespace

TTranslations::TTranslations(const QString &catalogue, const QString &folder,
                             const QLocale &locale)
{
  for (const QString &name : locale.uiLanguages()) {
    const QLocale language(name);
    if (Written_Language(language) || Install(language, catalogue, folder)) {
      return;
    }
  }
}

// Removed before they go, so that the application never holds a translator that is gone.
TTranslations::~TTranslations()
{
  for (QTranslator *translator : {d_qt.get(), d_program.get()}) {
    if (translator) {
      QCoreApplication::removeTranslator(translator);
    }
  }
}

// Qt's catalogue only with the program's, and only for the same language.
bool TTranslations::Install(const QLocale &language, const QString &catalogue,
                            const QString &folder)
{
  auto program = std::make_unique<QTranslator>();
  if (!program->load(language, catalogue, QString::fromLatin1(SEPARATOR), folder)) {
    return false;
  }
  auto qt = std::make_unique<QTranslator>();
  if (qt->load(language, QString::fromLatin1(QT_CATALOGUE), QString::fromLatin1(SEPARATOR),
               Qt_Translations_Folder())) {
    QCoreApplication::installTranslator(qt.get());
    d_qt = std::move(qt);
  }
  // Installed last, so that it is asked first.
  QCoreApplication::installTranslator(program.get());
  d_program = std::move(program);
  d_language = language.name();
  return true;
}

QString Qt_Translations_Folder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
  return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}
