#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

namespace tarnel {

// Takes files dropped on the widgets it watches: the window, and the text
// fields that would otherwise type a dropped file's address into themselves.
// Text dropped on a field stays the field's own.
class FileDropTarget : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void watch(QWidget* widget);
    // The local files among the dropped addresses, in their order.
    static QStringList localFiles(const QMimeData* data);

signals:
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tarnel
