#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

// Where the dated copies of the data file are, what they are named and
// which of them are kept.
namespace backup {

// The time copies are named by; tests set a clock of their own.
using Clock = std::function<QDateTime()>;
void setClock(const Clock &clock);
QDateTime now();

// The user's folder for the copies, or "backups" beside the data file.
QString copiesFolder(const QString &dataPath);
void chooseCopiesFolder(const QString &dataPath, const QString &folder);

struct Copy {
    QString path;
    QDateTime takenAt;
    bool operator==(const Copy &) const = default;
};

// "ql 2026-12-31 23-59-08.mdb" for the data file "ql.mdb"; a second copy
// of that second is "ql 2026-12-31 23-59-08 (2).mdb".
QString copyName(const QString &dataPath, const QDateTime &takenAt, int number = 1);

// The first of the paths numbered 1, 2, 3... where nothing is, not even a
// broken link: a file kept is never overwritten.
QString firstFreePath(const std::function<QString(int number)> &pathFor);

// The copies of the data file in the folder, newest first.
QList<Copy> copiesIn(const QString &folder, const QString &dataPath);

// Of the copies, newest first, those kept: the newest of each of the last
// seven days that have one, and of each of the last four weeks (Monday to
// Sunday) that have one.
QList<Copy> copiesKept(const QList<Copy> &copies);

} // namespace backup
