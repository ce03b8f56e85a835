#pragma once

#include "layoutboxes.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The layout window's own controls, offered to the layout editor.
class WindowBoxes : public LayoutBoxes
{
    Q_OBJECT
public:
    WindowBoxes(QComboBox *unit, QComboBox *bank,
                const std::array<QLineEdit *, store::LayoutPositionCount> &positions,
                QCheckBox *breakByWidth, QCheckBox *fillAfterWords, QObject *parent);

    QString unitName() const override;
    QString bankName() const override;
    QString text(store::LayoutPosition column) const override;
    void setText(store::LayoutPosition column, const QString &text) override;
    store::WordsChoice wordsChoice() const override;
    void setWordsChoice(const store::WordsChoice &choice) override;

private:
    QComboBox *m_unit;
    QComboBox *m_bank;
    std::array<QLineEdit *, store::LayoutPositionCount> m_positions;
    QCheckBox *m_breakByWidth;
    QCheckBox *m_fillAfterWords;
};
