#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// Moving an office's data file to its shared register.
namespace store {

struct CopiedTable {
    QString table;
    qint64 rows = 0;
    bool operator==(const CopiedTable &) const = default;
};

// Copies every row of the data file at filePath into the register on the
// server (set up, and holding no rows yet), in one transaction: every
// table the server has, each register row keeping its identity so that
// its void marks and number key still name it. The rows each table holds
// afterwards are counted against the file's; *copied gets them. The file
// is only read. A register that holds rows already is refused, as is a
// file that is not a Quillmark data file.
QSqlError copyFileToServer(const QString &filePath, const QSqlDatabase &server,
                           QList<CopiedTable> *copied);

} // namespace store
