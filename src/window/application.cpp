#include "src/window/application.h"

#include "core/translations.h"
#include "src/model/constants.h"
#include "src/window/filecommands.h"
#include "src/window/vandrel.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStyle>
#include <QString>
#include <QStyleFactory>

#include <memory>

int Run_Vandrel(int &argc, char **argv)
{
  return Run_Vandrel(argc, argv, QString());
}

int Run_Vandrel(int &argc, char **argv, const QString &document)
{
  QApplication application(argc, argv);
  const TTranslations translations(QString::fromLatin1(TRANSLATION_CATALOGUE),
                                   QString::fromLatin1(TRANSLATION_FOLDER), QLocale::system());
  if (QStyle *const style = QStyleFactory::create("fusion")) {
    QApplication::setStyle(style);
  }
  // Windows takes the icon from the executable's resource; elsewhere the window system
  // learns it from the application.
  QApplication::setWindowIcon(QIcon(":/icons/vandrel.png"));

  auto window = std::make_unique<TVandrel>();
  window->show();
  window->File_Commands()->Offer_Recovery();
  if (!document.isEmpty() && !window->isWindowModified()) {
    window->File_Commands()->Open_File(document);
  }
  const int result = application.exec();
  window.reset();
  return result;
}
