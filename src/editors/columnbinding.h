#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;

namespace tarnel {

// One column of a line as an editor shows it: a text field, a colour channel
// or a choice list with its custom box. The editor loads, previews, checks and
// writes every column through this, whatever control stands behind it.
class ColumnBinding : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Takes the column's text from a row, as if the user had put it there.
    virtual void load(const QString& text) = 0;
    // The text written into the column.
    virtual QString value() const = 0;
    // The text the line preview shows for the column.
    virtual QString preview() const { return value(); }
    // The field that must not be blank when confirming, or none while nothing is tested.
    virtual QLineEdit* requiredField() const = 0;
    // The caption of the field holding the written text, as messages name it.
    virtual QString label() const = 0;
    // The controls the user tabs through for this column, in order.
    virtual QList<QWidget*> focusWidgets() const = 0;

signals:
    // What the column shows or writes may have changed.
    void changed();
};

} // namespace tarnel
