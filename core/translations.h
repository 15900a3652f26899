#ifndef CORE_TRANSLATIONS_H
#define CORE_TRANSLATIONS_H

#include <QLocale>
#include <QString>

#include <memory>

class QTranslator;

// The translations of a program whose texts are written in English, for the user's
// languages: the program's own catalogue and Qt's (for its standard dialogs and buttons),
// installed on the running application while this object lives. Languages are tried in
// the locale's order of preference; English or the C locale first keeps the texts as
// written, and so does a language the program has no catalogue for, Qt's included, so
// that a window never mixes two languages.
class TTranslations
{
public:
  // Looks for `catalogue`_<language>.qm in `folder` (a resource folder such as
  // ":/translations") and for qtbase_<language>.qm in Qt's translations folder. Needs an
  // application object, which must outlive this one.
  TTranslations(const QString &catalogue, const QString &folder, const QLocale &locale);
  ~TTranslations();
  TTranslations(const TTranslations &) = delete;
  TTranslations &operator=(const TTranslations &) = delete;

  // The language the program speaks, empty when it keeps its English texts.
  QString Language() const { return d_language; }
  // Whether Qt's own texts follow: false where Qt's catalogue for the language is not
  // installed.
  bool Qt_Translated() const { return d_qt != nullptr; }

private:
  bool Install(const QLocale &language, const QString &catalogue, const QString &folder);

  std::unique_ptr<QTranslator> d_program;
  std::unique_ptr<QTranslator> d_qt;
  QString d_language;
};

// Qt's own translations folder, where qtbase_<language>.qm lie when installed.
QString Qt_Translations_Folder();

#endif
