#pragma once

#include <QString>
#include <QStringView>
#include <initializer_list>

// Text a cheque, a list or the register shows as it is stored: no control
// characters (NUL, tab, line breaks...), no bidirectional overrides or
// isolates, which make a name read otherwise on paper than in the register
// ("\u202Eevil" shows as "live"), and no half of a surrogate pair.
//
// Returns the message naming the first such character and the box
// (captioned as on screen), or the empty text when the text is sound.
QString storedTextProblem(QStringView text, const QString &boxCaption);

// A box's text and its caption on screen.
struct CaptionedText {
    QStringView text;
    QString caption;
};

// Shows, as a critical message, the problem of the first box whose text is
// not sound. True when every text is.
bool storedTextsSound(std::initializer_list<CaptionedText> boxes);
