#include "src/recovery.h"

#include "core/assertion.h"
#include "src/document.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

const char RECOVERY_FILE[] = "/.vandrel/Recovery.vandrel";
const char KEY_DOCUMENT_PATH[] = "recovered_document";

}  // namespace

QString Recovery_Path()
{
  return QDir::homePath() + RECOVERY_FILE;
}

bool Write_Recovery(const TRecovered_Work &work, QString *error)
{
  QJsonObject root = Document_Object(work.content);
  root.insert(KEY_DOCUMENT_PATH, work.document_path);
  return Write_File(Recovery_Path(), QJsonDocument(root).toJson(QJsonDocument::Compact), error);
}

bool Read_Recovery(TRecovered_Work *work, QString *error)
{
  if (!ASSERT(work) || !ASSERT(error)) {
    return false;
  }
  QFile file(Recovery_Path());
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("Cannot open %1: %2.").arg(Quoted_Path(file.fileName()),
                                                        file.errorString());
    return false;
  }
  const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
  QString reason;
  if (!Read_Document_Object(root, &work->content, &reason)) {
    *error = QStringLiteral("Cannot open %1: %2.").arg(Quoted_Path(file.fileName()), reason);
    return false;
  }
  work->document_path = root.value(KEY_DOCUMENT_PATH).toString();
  return true;
}

void Remove_Recovery()
{
  QFile::remove(Recovery_Path());
}

bool Recovery_Exists()
{
  return QFile::exists(Recovery_Path());
}
