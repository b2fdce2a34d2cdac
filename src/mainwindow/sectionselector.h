#pragma once

#include "mainwindow/section.h"

#include <QList>
#include <QWidget>

class QLabel;

namespace tarnel {

// The eight captions that pick the shown section; the shown one is red. A
// control of the Tab order: Up and Down (Home, End) pick the caption above or
// below, and a click anywhere on a caption's row picks it.
class SectionSelector : public QWidget {
    Q_OBJECT
public:
    static constexpr int labelCount = sectionCount;

    explicit SectionSelector(QWidget* parent = nullptr);

    // The caption of row `index`, 0 to labelCount - 1: the section of that number.
    QLabel* label(int index) const { return m_labels[index]; }
    // Paints the section's caption red and the others black.
    void markShown(Section section);
    // The caption whose row holds the point, or -1.
    int indexAt(const QPoint& point) const;

signals:
    void sectionClicked(Section section);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The caption `step` rows from the shown one; one showing another
    // section ("2DFX" shows the lights) is passed over.
    int stepFrom(int index, int step) const;
    QRect rowRect(int index) const;

    QList<QLabel*> m_labels;
    int m_shown = 0;
};

} // namespace tarnel
