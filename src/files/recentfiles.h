#ifndef SRC_FILES_RECENTFILES_H
#define SRC_FILES_RECENTFILES_H

#include <QStringList>

class QSettings;

// How many documents File > Open Recent lists.
constexpr int RECENT_FILE_COUNT = 8;

// The recently opened or saved documents, newest first, at most RECENT_FILE_COUNT.
QStringList Recent_Files(const QSettings &settings);

// Puts the path first, once, dropping the oldest beyond the limit.
void Add_Recent_File(QSettings *settings, const QString &path);

void Remove_Recent_File(QSettings *settings, const QString &path);

#endif
