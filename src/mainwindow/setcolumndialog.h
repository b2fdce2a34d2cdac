#pragma once

#include "document/linekind.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarnel {

class IdeDocument;
class Platform;

// Edit > "Set column…": one column of the given rows of a table set to a
// value, a text replaced within it, or its numbers multiplied, as one step.
// A value the editors would refuse is told and nothing changes.
class SetColumnDialog : public QDialog {
    Q_OBJECT
public:
    // `rows` ascending; `scope` says which they are ("60 selected lines").
    SetColumnDialog(IdeDocument& document, Platform& platform, LineKind kind, QList<qsizetype> rows,
                    const QString& scope, QWidget* parent);

    // The rows the accepted edit changed.
    qsizetype changedRows() const { return m_changed; }

private:
    void apply();
    void followMode();

    IdeDocument& m_document;
    Platform& m_platform;
    LineKind m_kind;
    QList<qsizetype> m_rows;
    QComboBox* m_column;
    QButtonGroup* m_modes;
    QLineEdit* m_value;
    QLineEdit* m_find;
    QLineEdit* m_replacement;
    QCheckBox* m_wholeValue;
    QLineEdit* m_factor;
    qsizetype m_changed = 0;
};

} // namespace tarnel
