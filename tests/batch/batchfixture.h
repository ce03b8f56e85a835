#pragma once

// The banks, layouts and payees every batch test prints with.

#include "batchcheck.h"
#include "batchcsv.h"
#include "previewprinter.h"
#include "registerstatements.h"
#include "temporarydatabase.h"

#include <QTest>

// City Bank (centimetres) and Far Bank (its figures off the page) in
// rupees; Stray Bank has a layout but no bank row. Payee "asha" is Asha
// Menon; City Bank's cheque 100 is in the register.
inline void fillBatchFixture(TemporaryDatabase &database)
{
    using namespace store;
    LayoutRow layout{QStringLiteral("Cms"), QStringLiteral("City Bank"),
                     {0.8, 16.5, 4, 2.5, 3, 12, 3.8, 2.5, 10, 4.8, 1, 12, 6.3, 15.2, 4}};
    QVERIFY(!replaceLayout(database.db(), layout).isValid());
    layout.bankName = QStringLiteral("Stray Bank");
    QVERIFY(!replaceLayout(database.db(), layout).isValid());
    layout.bankName = QStringLiteral("Far Bank");
    layout.positions[AmtLeft] = 100;
    QVERIFY(!replaceLayout(database.db(), layout).isValid());
    QVERIFY(!addBank(database.db(), {"1", "City Bank", "INR"}).isValid());
    QVERIFY(!addBank(database.db(), {"2", "Far Bank", "INR"}).isValid());
    QVERIFY(!replacePayee(database.db(), "asha", "Asha Menon").isValid());
    QVERIFY(!addRegisterEntry(database.db(), {QDate(2026, 1, 2), "Ravi", "City Bank", "5.00",
                                              "100"}).isValid());
}

// The rows read, checked as the batch window checks them, measured by the
// printer named (none: the system's default).
inline QList<BatchCheque> checkedBatch(const BatchCsv &read, const QString &printer = {})
{
    QList<BatchCheque> cheques = batchChequesFrom(read.rows);
    PreviewPrinter measuring(printer);
    if (const QString problem = checkBatch(&cheques, measuring); !problem.isEmpty())
        qWarning() << problem;
    return cheques;
}
