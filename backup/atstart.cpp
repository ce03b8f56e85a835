#include "atstart.h"

#include "copies.h"
#include "database.h"
#include "messages.h"
#include "onlinecopy.h"
#include "restore.h"
#include "takecopy.h"

#include <QDir>
#include <QLocale>
#include <optional>

namespace backup {
namespace {

bool copiedToday(const QString &dataPath)
{
    const QList<Copy> copies = copiesIn(copiesFolder(dataPath), dataPath);
    return !copies.isEmpty() && copies.first().takenAt.date() == now().date();
}

void reportFailure(const QString &problem)
{
    if (!problem.isEmpty())
        Messages::show(problem + QStringLiteral("\n\nQuillmark goes on without this copy."),
                       Messages::Icon::Critical);
}

std::optional<Copy> latestGoodCopy(const QString &dataPath)
{
    for (const Copy &copy : copiesIn(copiesFolder(dataPath), dataPath)) {
        if (notRestorableProblem(copy.path).isEmpty())
            return copy;
    }
    return std::nullopt;
}

QString described(const Copy &copy)
{
    store::StoredContents contents;
    readContents(copy.path, &contents);
    const QString last = contents.lastChequeNo.isEmpty()
        ? QString()
        : QStringLiteral(", the last No. %1 of %2").arg(contents.lastChequeNo, contents.lastChequeDate);
    return QStringLiteral("%1 (%2 banks, %3 payees, %4 layouts, %5 cheques%6)")
        .arg(QLocale().toString(copy.takenAt, QLocale::ShortFormat))
        .arg(contents.rows.banks).arg(contents.rows.payees).arg(contents.rows.layouts)
        .arg(contents.rows.registerRows).arg(last);
}

// Offers the copy in place of the data file; true when it was brought back.
bool offerCopy(const Copy &copy, const QString &dataPath, const QString &whatIsWrong,
               const QString &keptWord = QString())
{
    if (!Messages::ask(whatIsWrong + QStringLiteral("\n\nBring back the latest good copy, of ")
                       + described(copy) + QLatin1Char('?') + keptWord))
        return false;
    if (const QString problem = restoreCopy(copy.path, dataPath); !problem.isEmpty()) {
        Messages::show(problem, Messages::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace

void copyBeforeTablesChange()
{
    store::useBeforeTablesChange([](const QString &path) { reportFailure(takeCopy(path)); });
}

bool checkDataFileAtStart(const QString &dataPath)
{
    const QString shownPath = QDir::toNativeSeparators(dataPath);
    const store::FileKind kind = store::fileKindOf(dataPath);
    // 1. A missing file is made afresh, unless the user takes a copy.
    if (kind == store::FileKind::Missing) {
        if (const std::optional<Copy> copy = latestGoodCopy(dataPath))
            offerCopy(*copy, dataPath, QStringLiteral("The data file %1 is missing.").arg(shownPath));
        return true;
    }
    // 2. Once a day, a quick check of the file.
    if (kind != store::FileKind::SQLite || copiedToday(dataPath))
        return true;
    const QString findings = integrityProblem(dataPath, true);
    if (findings.isEmpty())
        return true;
    // 3. A damaged file is left alone unless a good copy takes its place.
    const QString damaged = QStringLiteral("The data file %1 failed its check and is damaged:\n"
                                           "%2\n\nQuillmark will not write to it.")
                                .arg(shownPath, findings);
    const std::optional<Copy> copy = latestGoodCopy(dataPath);
    if (!copy)
        Messages::show(damaged + QStringLiteral("\n\nThere is no good copy of it in %1.")
                                     .arg(QDir::toNativeSeparators(copiesFolder(dataPath))),
                       Messages::Icon::Critical);
    return copy
        && offerCopy(*copy, dataPath, damaged,
                     QStringLiteral(" The damaged file is kept beside it under a dated name."));
}

void takeDailyCopy(const QString &dataPath)
{
    if (store::fileKindOf(dataPath) == store::FileKind::SQLite && !copiedToday(dataPath))
        reportFailure(takeCopy(dataPath));
}

} // namespace backup
