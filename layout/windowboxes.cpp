#include "windowboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

WindowBoxes::WindowBoxes(QComboBox *unit, QComboBox *bank,
                         const std::array<QLineEdit *, store::LayoutPositionCount> &positions,
                         QCheckBox *breakByWidth, QCheckBox *fillAfterWords, QObject *parent)
    : LayoutBoxes(parent)
    , m_unit(unit)
    , m_bank(bank)
    , m_positions(positions)
    , m_breakByWidth(breakByWidth)
    , m_fillAfterWords(fillAfterWords)
{
    // Choosing a bank shows its layout through setText, so the user's
    // choice is caught on the list itself.
    connect(m_unit, &QComboBox::currentTextChanged, this, &LayoutBoxes::edited);
    connect(m_bank, &QComboBox::currentTextChanged, this, &LayoutBoxes::edited);
    for (QLineEdit *box : m_positions)
        connect(box, &QLineEdit::textChanged, this, &LayoutBoxes::edited);
    connect(m_breakByWidth, &QCheckBox::toggled, this, &LayoutBoxes::edited);
    connect(m_fillAfterWords, &QCheckBox::toggled, this, &LayoutBoxes::edited);
}

QString WindowBoxes::unitName() const
{
    return m_unit->currentText();
}

QString WindowBoxes::bankName() const
{
    return m_bank->currentText();
}

QString WindowBoxes::text(store::LayoutPosition column) const
{
    return m_positions[column]->text();
}

void WindowBoxes::setText(store::LayoutPosition column, const QString &text)
{
    const QSignalBlocker quiet(m_positions[column]);  // the editor knows what it set
    m_positions[column]->setText(text);
}

store::WordsChoice WindowBoxes::wordsChoice() const
{
    return {m_breakByWidth->isChecked(), m_fillAfterWords->isChecked()};
}

void WindowBoxes::setWordsChoice(const store::WordsChoice &choice)
{
    const QSignalBlocker quietWidth(m_breakByWidth), quietFill(m_fillAfterWords);
    m_breakByWidth->setChecked(choice.breakByWidth);
    m_fillAfterWords->setChecked(choice.fillAfterWords);
}
