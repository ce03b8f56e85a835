#include "copies.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QUrl>

namespace backup {
namespace {

constexpr int dailyCopies = 7;
constexpr int weeklyCopies = 4;
const QString timeFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss");

Clock &clock()
{
    static Clock current;
    return current;
}

QString settingsKey(const QString &dataPath)
{
    const QString path = QFileInfo(dataPath).absoluteFilePath();
    return QStringLiteral("BackupFolder/")
        + QString::fromLatin1(QUrl::toPercentEncoding(path));
}

// Copies taken within one second are numbered " (2)", " (3)"... in the
// order they were taken: the number orders them within their second.
int numberOf(const QString &mark)
{
    return mark.isEmpty() ? 1 : mark.mid(2, mark.size() - 3).toInt();
}

// The newest copy of each of the latest `count` periods that have one.
template <typename Period>
void keepNewestOfEach(const QList<Copy> &copies, int count, Period periodOf, QSet<QString> *kept)
{
    QSet<QDate> periods;
    for (const Copy &copy : copies) {
        const QDate period = periodOf(copy.takenAt.date());
        if (periods.contains(period))
            continue;
        if (periods.size() == count)
            return;
        periods.insert(period);
        kept->insert(copy.path);
    }
}

} // namespace

void setClock(const Clock &current)
{
    clock() = current;
}

QDateTime now()
{
    return clock() ? clock()() : QDateTime::currentDateTime();
}

QString copiesFolder(const QString &dataPath)
{
    const QString chosen = QSettings().value(settingsKey(dataPath)).toString();
    if (!chosen.isEmpty())
        return chosen;
    return QFileInfo(dataPath).dir().filePath(QStringLiteral("backups"));
}

void chooseCopiesFolder(const QString &dataPath, const QString &folder)
{
    QSettings().setValue(settingsKey(dataPath), folder);
}

QString copyName(const QString &dataPath, const QDateTime &takenAt, int number)
{
    const QFileInfo data(dataPath);
    const QString mark = number > 1 ? QStringLiteral(" (%1)").arg(number) : QString();
    return QStringLiteral("%1 %2%3.%4")
        .arg(data.completeBaseName(), takenAt.toString(timeFormat), mark, data.suffix());
}

QString firstFreePath(const std::function<QString(int number)> &pathFor)
{
    for (int number = 1;; ++number) {
        const QString path = pathFor(number);
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return path;
    }
}

QList<Copy> copiesIn(const QString &folder, const QString &dataPath)
{
    const QFileInfo data(dataPath);
    const QRegularExpression name(
        QStringLiteral("^%1 (\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d)( \\(\\d+\\))?\\.%2$")
            .arg(QRegularExpression::escape(data.completeBaseName()),
                 QRegularExpression::escape(data.suffix())));
    QList<Copy> copies;
    const QDir dir(folder);
    for (const QString &file : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = name.match(file);
        const QDateTime takenAt = QDateTime::fromString(match.captured(1), timeFormat);
        if (match.hasMatch() && takenAt.isValid())
            copies << Copy{dir.filePath(file), takenAt.addMSecs(numberOf(match.captured(2)))};
    }
    std::sort(copies.begin(), copies.end(),
              [](const Copy &a, const Copy &b) { return a.takenAt > b.takenAt; });
    return copies;
}

QList<Copy> copiesKept(const QList<Copy> &copies)
{
    QSet<QString> kept;
    keepNewestOfEach(copies, dailyCopies, [](QDate day) { return day; }, &kept);
    keepNewestOfEach(copies, weeklyCopies,
                     [](QDate day) { return day.addDays(1 - day.dayOfWeek()); }, &kept);
    QList<Copy> result;
    for (const Copy &copy : copies) {
        if (kept.contains(copy.path))
            result << copy;
    }
    return result;
}

} // namespace backup
