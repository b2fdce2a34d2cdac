#pragma once

#include "editors/columnbinding.h"
#include "editors/heldtext.h"

#include <QStringList>

class QComboBox;
class QLineEdit;
class QWidget;

namespace tarnel {

// A column offered as a drop-down list whose last entry stands for any further
// value, typed into a custom box that is enabled exactly while that entry is
// chosen. The column holds the chosen index, the custom box's text, or -1 when
// nothing is chosen.
class ChoiceField : public ColumnBinding {
    Q_OBJECT
public:
    struct Design {
        const char* listName;
        const char* boxName;
        // The fixed entries followed by the custom entry.
        QStringList entries;
        // The caption messages use for the custom box.
        QString boxLabel;
        QString boxText;
        int boxLimit = 32767;
    };

    ChoiceField(const Design& design, QWidget* parent);

    QComboBox* list() const { return m_list; }
    QLineEdit* box() const { return m_box; }

    // A number from 0 up that rounds (halves to even) to a fixed entry chooses
    // that entry; anything else, letters and -1 among them, chooses the custom
    // entry with the text in the box, so that it is written back unchanged.
    void load(const QString& text) override;
    QString value() const override;
    // A custom value that is a whole number shows in plain decimal ("015" as 15).
    QString preview() const override;
    QLineEdit* requiredField() const override;
    QString label() const override { return m_boxLabel; }
    // The list, then its custom box.
    QList<QWidget*> focusWidgets() const override;

private:
    bool isCustomChosen() const;
    void chosen();
    QString boxValue() const;

    QComboBox* m_list;
    QLineEdit* m_box;
    QString m_boxLabel;
    int m_customIndex;
    HeldText m_held;
};

} // namespace tarnel
