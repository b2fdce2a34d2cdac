#pragma once

#include <QString>

class QLabel;
class QStatusBar;

namespace tarnel {

// The status bar's two panels: the message of the last command and the version.
class StatusPanels {
public:
    explicit StatusPanels(QStatusBar& bar);

    QString message() const;
    void setMessage(const QString& text);
    QString version() const;
    void setVersion(const QString& text);

private:
    QLabel* m_message;
    QLabel* m_version;
};

} // namespace tarnel
