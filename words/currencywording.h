#pragma once

#include <QString>

// What leaving the amount box gives: the box's text, tidied, and the words
// for the words box.
struct CurrencyWording {
    QString amountText;  // as tidyAmountText gives it
    QString words;       // empty when the amount cannot be written in words
    QString refusal;     // then why, for the user
};

// The amount box's text as it is worded, printed and recorded: every blank,
// tab and line break removed, since gaps in figures invite alteration and
// the reading of the number must see what is printed; then ".00" appended
// when it holds no ".".
QString tidyAmountText(const QString &amountBoxText);

// Words the amount typed into the amount box in the currency whose code is
// given (the chosen bank's, strCurrency): "INR" in Indian numbering, "USD",
// "SGD", "AUD", "EUR", "GBP", "DINAR" and "YEN" in international numbering.
// strAmtInWords takes the words.
//
// The words never belong to another amount: when the amount cannot be
// written (no bank chosen, a currency without words, a negative amount, an
// amount too large, yen with a fraction) the words are empty and a message
// tells the user why.
CurrencyWording udf_wordCurrency(const QString &amountBoxText, const QString &currency);

// The same wording without a message: the refusal is only returned, for a
// caller that shows it its own way (a batch row's status). strAmtInWords is
// left as it was.
CurrencyWording wordCurrency(const QString &amountBoxText, const QString &currency);
