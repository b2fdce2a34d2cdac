#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace tarnel {

// The filter field above the shown table and the count of rows it lets
// through. Hidden until asked for; Esc empties and hides it.
class FilterBar : public QWidget {
    Q_OBJECT
public:
    explicit FilterBar(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // Shows the bar and puts the cursor in its field, its text selected.
    void open();
    // "12 of 3,599 rows"; nothing when no filter applies.
    void showCount(qsizetype shown, qsizetype total);
    void clearCount();

signals:
    void textChanged(const QString& text);
    // Enter in the field: the rows shown are wanted.
    void accepted();
    // Esc: the field was emptied and hidden.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    QLabel* m_count;
};

} // namespace tarnel
