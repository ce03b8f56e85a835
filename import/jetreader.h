#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace jet {

// Reads tables of an Access (Jet 3 or Jet 4) file through mdbtools' libmdb.
// The file is opened read-only and never written to. Table and column names
// are matched without regard to letter case.
class JetReader
{
public:
    explicit JetReader(const QString &path);
    ~JetReader();
    JetReader(const JetReader &) = delete;
    JetReader &operator=(const JetReader &) = delete;

    // Why the file could not be opened ("it could not be opened as ..."),
    // or an empty text.
    QString error() const;

    // What the file lacks of the table and columns ("table Bank",
    // "column Bank.Currency"); empty when it has them all.
    QStringList missing(const QString &table, const QStringList &columns) const;

    // Reads the table row by row, handing each to rowRead as soon as it is
    // read, with one value per asked column in the asked order: a QString
    // for text, memo and Decimal (its exact digits), a double for Double,
    // Single and Currency, an int for Byte, Integer and Long, a bool for
    // Yes/No, a QDate or QDateTime for Date/Time, a null QVariant where the
    // row holds none. Returns what went wrong, or an empty text.
    QString readTable(const QString &table, const QStringList &columns,
                      const std::function<void(QVariantList &&)> &rowRead) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace jet
