#pragma once

#include "statements.h"

#include <QObject>
#include <QString>
#include <functional>

// The layout window's unit, bank and position boxes as another window reads
// and sets them while both are open. Texts are the boxes' own, as typed.
class LayoutBoxes : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual QString unitName() const = 0;
    virtual QString bankName() const = 0;
    virtual QString text(store::LayoutPosition column) const = 0;
    virtual void setText(store::LayoutPosition column, const QString &text) = 0;
    // How the words are to print, as ticked in the window, saved or not.
    virtual store::WordsChoice wordsChoice() const = 0;
    virtual void setWordsChoice(const store::WordsChoice &choice) = 0;

signals:
    // The user typed in a box, changed the unit or ticked a words choice.
    void edited();
};

// Opens the visual layout editor over the layout window, working on its
// boxes. The editor is a library of its own that builds on this one; the
// program installs it here. Without one the layout window offers none.
using LayoutDesigner = std::function<void(QWidget *window, LayoutBoxes *boxes)>;
void setLayoutDesigner(LayoutDesigner designer);
const LayoutDesigner &layoutDesigner();
