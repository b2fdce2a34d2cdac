#pragma once

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
    static constexpr int labelCount = 8;
    static constexpr int twoDfxIndex = 3;
    static constexpr int lightsIndex = 4;

    explicit SectionSelector(QWidget* parent = nullptr);

    QLabel* label(int index) const { return m_labels[index]; }
    // Paints label `index` red and the others black.
    void markShown(int index);
    // The caption whose row holds the point, or -1.
    int indexAt(const QPoint& point) const;

signals:
    void sectionClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The caption `step` rows from the shown one; "2DFX" shows the lights too,
    // so the arrows pass over it.
    int stepFrom(int index, int step) const;
    QRect rowRect(int index) const;

    QList<QLabel*> m_labels;
    int m_shown = 0;
};

} // namespace tarnel
