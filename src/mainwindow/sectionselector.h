#pragma once

#include <QList>
#include <QWidget>

class QLabel;

namespace tarnel {

// The eight captions that pick the shown section; the shown one is red.
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

signals:
    void sectionClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLabel*> m_labels;
};

} // namespace tarnel
