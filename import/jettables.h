#pragma once

#include "jettable.h"

#include <chrono>

// Reading whole tables of an Access file, in a process apart.
namespace jet {

// The reader program: beside Quillmark's own executable, unless set.
QString accessReaderProgram();
void useAccessReaderProgram(const QString &path);
// The reader's memory: 1 GiB, unless set (tests set less to see it run out).
void limitAccessReaderMemory(qint64 bytes);

// Reads the tables in the reader program, which is given `limit` to finish
// and 1 GiB of memory. libmdb can loop without end, or crash, on a damaged
// file; this way the program still lives to tell the user. The rows come
// to rowsArrived in batches as the reader reads them, the tables in order;
// when it returns a problem the reading stops. Returns what failed, or an
// empty text; *rowsRead hears of the progress.
QString readJetTablesApart(const QString &path, const QList<JetTableColumns> &tables,
                           std::chrono::milliseconds limit, const RowsArrived &rowsArrived,
                           const RowsRead &rowsRead = {});

} // namespace jet
