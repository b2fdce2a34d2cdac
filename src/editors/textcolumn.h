#pragma once

#include "editors/columnbinding.h"
#include "editors/heldtext.h"

class QLineEdit;

namespace tarnel {

// A column held as free text in one field, written as typed.
class TextColumn : public ColumnBinding {
    Q_OBJECT
public:
    TextColumn(QLineEdit* field, const QString& label, QObject* parent = nullptr);

    void load(const QString& text) override;
    QString value() const override;
    QLineEdit* requiredField() const override { return m_field; }
    QString label() const override { return m_label; }
    QList<QWidget*> focusWidgets() const override;

private:
    QLineEdit* m_field;
    QString m_label;
    // A value longer than the field takes (32,767 characters) stays whole.
    HeldText m_held;
};

} // namespace tarnel
